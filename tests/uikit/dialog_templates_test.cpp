#include "resources/templates/about_box.h"
#include "resources/templates/chordfile_info_dialog.h"
#include "resources/templates/chords_tabs_page.h"
#include "resources/templates/drummer_page.h"
#include "resources/templates/editor_page.h"
#include "resources/templates/main_dialog.h"
#include "resources/templates/playlist_page.h"
#include "resources/templates/scales_page.h"
#include "resources/templates/settings_dialog.h"
#include "resources/templates/translation_editor.h"
#include "resources/templates/tuner_page.h"
#include "uikit/dialog_builder.h"
#include "uikit/image_button.h"
#include "uikit/link_label.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QWidget>
#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>
#include <set>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace strumvale::uikit {
namespace {

using resources::ControlTemplate;
using resources::DialogTemplate;
using resources::kNoId;
namespace style = resources::style;

// One window of the program: its templates, built into it in this order (the
// settings window takes its pages after its frame).
struct Window {
    const char* name;
    std::vector<const DialogTemplate*> layers;
    DialogSizing sizing;
};

std::unique_ptr<QWidget> build(const Window& window) {
    auto widget = std::make_unique<QWidget>();
    bool first = true;
    for (const DialogTemplate* layer : window.layers) {
        buildDialog(*widget, *layer, first ? window.sizing : DialogSizing::Child);
        first = false;
    }
    return widget;
}

QSize pixelSize(const DialogTemplate& layout) {
    return {resources::dialogUnitsToPixelsX(layout.width),
            resources::dialogUnitsToPixelsY(layout.height)};
}

QRect expectedRect(const ControlTemplate& control) {
    if (control.style & style::ClientPixels) {
        return QRect(control.rect.x, control.rect.y, control.rect.width, control.rect.height);
    }
    return toPixels(control.rect);
}

std::vector<QWidget*> widgetsWithId(const QWidget& window, int id) {
    std::vector<QWidget*> found;
    for (QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->property("controlId").toInt() == id)
            found.push_back(child);
    }
    return found;
}

// The widget made for one template entry; unnamed controls share the id -1
// and are told apart by their place.
QWidget* widgetFor(const QWidget& window, const ControlTemplate& control) {
    const QRect expected = expectedRect(control);
    for (QWidget* widget : widgetsWithId(window, control.id)) {
        if (control.id != kNoId ||
            (widget->pos() == expected.topLeft() && widget->width() == expected.width())) {
            return widget;
        }
    }
    return nullptr;
}

const std::vector<Window>& programWindows() {
    using resources::SettingsPage;
    static const std::vector<Window> windows = {
        {"main dialog", {&resources::mainDialogTemplate()}, DialogSizing::FixedWindow},
        {"chordfile information",
         {&resources::chordfileInfoDialogTemplate()},
         DialogSizing::FixedWindow},
        {"about box", {&resources::aboutBoxTemplate()}, DialogSizing::FixedWindow},
        {"chords and tabs page", {&resources::chordsTabsPageTemplate()}, DialogSizing::Child},
        {"playlist page", {&resources::playlistPageTemplate()}, DialogSizing::Child},
        {"scales page", {&resources::scalesPageTemplate()}, DialogSizing::Child},
        {"tuner page", {&resources::tunerPageTemplate()}, DialogSizing::Child},
        {"drummer page", {&resources::drummerPageTemplate()}, DialogSizing::Child},
        {"editor page", {&resources::editorPageTemplate()}, DialogSizing::Child},
        {"settings dialog",
         {&resources::settingsDialogTemplate(),
          &resources::settingsPageTemplate(SettingsPage::General),
          &resources::settingsPageTemplate(SettingsPage::Midi),
          &resources::settingsPageTemplate(SettingsPage::Fretboard),
          &resources::settingsPageTemplate(SettingsPage::Colors),
          &resources::settingsPageTemplate(SettingsPage::Other),
          &resources::translationEditorTemplate()},
         DialogSizing::FixedWindow},
    };
    return windows;
}

TEST(DialogTemplates, EveryWindowHasItsSizeAndControlsInsideIt) {
    for (const Window& window : programWindows()) {
        SCOPED_TRACE(window.name);
        const auto widget = build(window);
        const QSize size = pixelSize(*window.layers.front());
        EXPECT_EQ(widget->size(), size);
        for (const DialogTemplate* layer : window.layers) {
            EXPECT_EQ(pixelSize(*layer), size) << "every layer covers the same window";
            ASSERT_GT(layer->width, 0);
        }
        const QRect client(QPoint(0, 0), size);
        int controls = 0;
        for (QWidget* child : widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!child->property("controlId").isValid())
                continue;
            ++controls;
            EXPECT_TRUE(client.contains(child->geometry()))
                << "control " << child->property("controlId").toInt() << " at " << child->x() << ","
                << child->y() << " " << child->width() << "x" << child->height()
                << " leaves the window of " << size.width() << "x" << size.height();
        }
        std::size_t listed = 0;
        for (const DialogTemplate* layer : window.layers)
            listed += layer->controls.size();
        EXPECT_EQ(static_cast<std::size_t>(controls), listed);
    }
}

TEST(DialogTemplates, NoTwoNamedControlsOfAWindowShareAnId) {
    for (const Window& window : programWindows()) {
        SCOPED_TRACE(window.name);
        std::set<int> seen;
        for (const DialogTemplate* layer : window.layers) {
            for (const ControlTemplate& control : layer->controls) {
                if (control.id == kNoId)
                    continue;
                EXPECT_TRUE(seen.insert(control.id).second) << "id " << control.id << " twice";
            }
        }
        const auto widget = build(window);
        for (int id : seen)
            EXPECT_EQ(widgetsWithId(*widget, id).size(), 1u) << "id " << id;
    }
}

TEST(DialogTemplates, InitialStatesComeThrough) {
    for (const Window& window : programWindows()) {
        SCOPED_TRACE(window.name);
        const auto widget = build(window);
        for (const DialogTemplate* layer : window.layers) {
            for (const ControlTemplate& control : layer->controls) {
                QWidget* made = widgetFor(*widget, control);
                ASSERT_NE(made, nullptr) << "control " << control.id;
                EXPECT_EQ(made->isHidden(), (control.style & style::Hidden) != 0)
                    << "control " << control.id;
                EXPECT_EQ(made->isEnabled(), (control.style & style::Disabled) == 0)
                    << "control " << control.id;
                if (auto* button = qobject_cast<QAbstractButton*>(made);
                    button != nullptr && button->isCheckable()) {
                    EXPECT_EQ(button->isChecked(), (control.style & style::Checked) != 0)
                        << "control " << control.id;
                }
                if (auto* push = qobject_cast<QPushButton*>(made)) {
                    EXPECT_EQ(push->isDefault(), (control.style & style::DefaultButton) != 0)
                        << "control " << control.id;
                }
            }
        }
    }
}

TEST(DialogTemplates, SettingsControlsArePlacedInClientPixels) {
    using Id = resources::SettingsId;
    const auto widget = build(programWindows().back());
    // A spot check of the page rectangles as the window creates them.
    EXPECT_EQ(control<QGroupBox>(*widget, Id::StartupGroup)->geometry(), QRect(150, 10, 330, 70));
    EXPECT_EQ(control<QSlider>(*widget, Id::Volume)->geometry(), QRect(400, 220, 30, 130));
    EXPECT_EQ(control<QLabel>(*widget, Id::NoteTextPreview)->geometry(), QRect(420, 280, 40, 35));
    EXPECT_EQ(control<ImageButton>(*widget, resources::TranslationEditorId::Save)->geometry(),
              QRect(440, 305, 30, 25));
    EXPECT_EQ(widget->windowTitle(), "Settings");
    // The frame's own controls stay clear of the page area.
    for (const ControlTemplate& frameControl : resources::settingsDialogTemplate().controls) {
        const QRect frame = toPixels(frameControl.rect);
        EXPECT_TRUE(frame.right() < 150 || frame.top() > 350) << "control " << frameControl.id;
    }
}

// Finds each listed id as a widget of the class that the code using the window
// asks for, and counts the named ones so that a window's list can be checked
// for completeness.
class ExpectControls {
public:
    explicit ExpectControls(const QWidget& window) : window_(window) {}

    template <typename Widget, typename Id> ExpectControls& are(std::initializer_list<Id> ids) {
        for (Id id : ids) {
            const int number = static_cast<int>(id);
            EXPECT_NE(control<Widget>(window_, id), nullptr)
                << "control " << number << " is no " << Widget::staticMetaObject.className();
            if (number != kNoId)
                ++named_;
        }
        return *this;
    }
    int named() const { return named_; }

private:
    const QWidget& window_;
    int named_ = 0;
};

int namedControls(const Window& window) {
    int count = 0;
    for (const DialogTemplate* layer : window.layers) {
        for (const ControlTemplate& control : layer->controls)
            count += control.id != kNoId;
    }
    return count;
}

const Window& windowNamed(const char* name) {
    for (const Window& window : programWindows()) {
        if (std::string_view(window.name) == name)
            return window;
    }
    throw std::logic_error("no such window");
}

TEST(DialogTemplates, MainWindowAndItsDialogsHaveTheControlsTheirCodeAsksFor) {
    {
        using Id = resources::MainDialogId;
        const Window& window = windowNamed("main dialog");
        const auto widget = build(window);
        ExpectControls expect(*widget);
        expect.are<QPushButton>({Id::DefaultButton, Id::Practice})
            .are<ImageButton>({Id::Exit, Id::Open, Id::Save, Id::Print, Id::Settings, Id::Help,
                               Id::About, Id::ChordfileInfo})
            .are<QTabWidget>({Id::Tabs})
            .are<QLabel>({Id::StatusLine});
        EXPECT_EQ(expect.named(), namedControls(window));
    }
    {
        using Id = resources::ChordfileInfoId;
        const Window& window = windowNamed("chordfile information");
        const auto widget = build(window);
        ExpectControls expect(*widget);
        expect.are<QPushButton>({Id::Ok})
            .are<QLabel>({Id::AuthorText, Id::HomepageText, Id::InfoText, Id::StatisticsText})
            .are<QGroupBox>(
                {Id::AuthorGroup, Id::HomepageGroup, Id::InfoGroup, Id::StatisticsGroup});
        EXPECT_EQ(expect.named(), namedControls(window));
    }
    {
        using Id = resources::AboutBoxId;
        const Window& window = windowNamed("about box");
        const auto widget = build(window);
        ExpectControls expect(*widget);
        expect.are<QPushButton>({Id::Ok, Id::Cancel})
            .are<QLabel>({Id::Logo, Id::Notice})
            .are<LinkLabel>({Id::WebLink, Id::SupportLink})
            .are<QPlainTextEdit>({Id::Credits})
            .are<ImageButton>({Id::CheckForUpdate});
        EXPECT_EQ(expect.named(), namedControls(window));
    }
}

TEST(DialogTemplates, PagesHaveTheControlsTheirCodeAsksFor) {
    {
        using Id = resources::ChordsTabsId;
        const Window& window = windowNamed("chords and tabs page");
        const auto widget = build(window);
        ExpectControls expect(*widget);
        expect.are<QListWidget>({Id::ChordList, Id::KeyList})
            .are<QLabel>({Id::TabLine, Id::NotesLine, Id::NotesLabel})
            .are<QLineEdit>({Id::SearchText})
            .are<QCheckBox>({Id::ShowResult})
            .are<QPushButton>({Id::Play, Id::AddToList})
            .are<QComboBox>({Id::TuningCombo})
            .are<ImageButton>({Id::SearchButton, Id::CopyTabButton})
            .are<QRadioButton>({Id::ShowNotes, Id::HideNotes})
            .are<QGroupBox>({Id::ChordInformationGroup, Id::TuningGroup, Id::SearchGroup});
        EXPECT_EQ(expect.named(), namedControls(window));
    }
    {
        using Id = resources::PlaylistId;
        const Window& window = windowNamed("playlist page");
        const auto widget = build(window);
        ExpectControls expect(*widget);
        expect.are<ImageButton>({Id::MoveUp, Id::MoveDown})
            .are<QListWidget>({Id::ChordList, Id::KeyList, Id::Playlist})
            .are<QPlainTextEdit>({Id::Lyrics})
            .are<QPushButton>({Id::Add, Id::Remove, Id::Play, Id::AddSeparator, Id::SongSheet});
        EXPECT_EQ(expect.named(), namedControls(window));
        auto* lyrics = control<QPlainTextEdit>(*widget, Id::Lyrics);
        EXPECT_EQ(lyrics->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        EXPECT_FALSE(lyrics->isReadOnly());
    }
    {
        using Id = resources::ScalesId;
        const Window& window = windowNamed("scales page");
        const auto widget = build(window);
        ExpectControls expect(*widget);
        expect.are<QListWidget>({Id::ScaleList, Id::KeyList})
            .are<QComboBox>({Id::TuningCombo})
            .are<QLabel>({Id::NameLine, Id::Description, Id::Intervals, Id::DisplayLabel,
                          Id::NameLabel, Id::IntervalsLabel, Id::DescriptionLabel})
            .are<QPushButton>({Id::Play})
            .are<QRadioButton>({Id::ShowIntervals, Id::ShowNotes})
            .are<QGroupBox>({Id::TuningGroup, Id::ScaleInformationGroup});
        EXPECT_EQ(expect.named(), namedControls(window));
    }
    {
        using Id = resources::TunerId;
        const Window& window = windowNamed("tuner page");
        const auto widget = build(window);
        ExpectControls expect(*widget);
        expect
            .are<QComboBox>({Id::TuningCombo, Id::String6Note, Id::String5Note, Id::String4Note,
                             Id::String3Note, Id::String2Note, Id::String1Note})
            .are<ImageButton>({Id::String6Play, Id::String5Play, Id::String4Play, Id::String3Play,
                               Id::String2Play, Id::String1Play})
            .are<QCheckBox>({Id::LoopNotes})
            .are<QSlider>({Id::NoteLength})
            .are<QRadioButton>(
                {Id::ShowNotes, Id::ShowNumbers, Id::DisableEditing, Id::EnableEditing})
            .are<QLineEdit>({Id::TuningName})
            .are<QPushButton>({Id::Update, Id::Remove, Id::New})
            .are<QLabel>({Id::String6Label, Id::String5Label, Id::String4Label, Id::String3Label,
                          Id::String2Label, Id::String1Label, Id::TuningNameLabel,
                          Id::EditingDisabledNotice, Id::ShortLabel, Id::LongLabel})
            .are<QGroupBox>({Id::TuningGroup, Id::NoteLengthGroup, Id::DisplayGroup});
        EXPECT_EQ(expect.named(), namedControls(window));
        EXPECT_EQ(control<QSlider>(*widget, Id::NoteLength)->orientation(), Qt::Horizontal);
    }
    {
        using Id = resources::DrummerId;
        const Window& window = windowNamed("drummer page");
        const auto widget = build(window);
        ExpectControls expect(*widget);
        expect.are<QComboBox>({Id::PatternCombo, Id::InstrumentCombo})
            .are<QSlider>({Id::VolumeTrackbar})
            .are<QListWidget>({Id::TrackList})
            .are<QLineEdit>({Id::PatternName, Id::Tempo})
            .are<QSpinBox>({Id::TempoUpDown})
            .are<QPushButton>({Id::Remove, Id::New, Id::Play, Id::Update})
            .are<QCheckBox>({Id::LoopPattern})
            .are<QRadioButton>({Id::DisableEditing, Id::EnableEditing})
            .are<QLabel>({Id::EditingDisabledNotice, Id::TrackLabel, Id::VolumeLabel,
                          Id::InstrumentLabel, Id::TempoLabel, Id::BpmLabel})
            .are<QGroupBox>(
                {Id::EditPatternGroup, Id::TrackSettingsGroup, Id::CurrentPatternGroup});
        EXPECT_EQ(expect.named(), namedControls(window));
        EXPECT_EQ(control<QSlider>(*widget, Id::VolumeTrackbar)->orientation(), Qt::Vertical);
        EXPECT_TRUE(control<QListWidget>(*widget, Id::TrackList)->isSortingEnabled());
    }
    {
        using Id = resources::EditorId;
        const Window& window = windowNamed("editor page");
        const auto widget = build(window);
        ExpectControls expect(*widget);
        expect.are<QListWidget>({Id::ItemList, Id::KeyList})
            .are<ImageButton>({Id::MoveUp, Id::MoveDown})
            .are<QLabel>({Id::AuthorOrIntervalsLabel, Id::HomepageOrDescriptionLabel,
                          Id::DescriptionLabel, Id::TabLine, Id::TabLabel, Id::NameLabel})
            .are<QLineEdit>({Id::ChordfileDescription, Id::NameEdit, Id::AuthorOrIntervals,
                             Id::HomepageOrDescription})
            .are<QPushButton>({Id::Update, Id::Remove, Id::New, Id::Play, Id::NewChordfile})
            .are<QGroupBox>({Id::InformationGroup});
        EXPECT_EQ(expect.named(), namedControls(window));
        EXPECT_TRUE(control<QListWidget>(*widget, Id::KeyList)->isSortingEnabled());
        EXPECT_FALSE(control<QListWidget>(*widget, Id::ItemList)->isSortingEnabled());
    }
}

TEST(DialogTemplates, SettingsWindowHasTheControlsItsCodeAsksFor) {
    using Id = resources::SettingsId;
    using Tr = resources::TranslationEditorId;
    const Window& window = windowNamed("settings dialog");
    const auto widget = build(window);
    ExpectControls expect(*widget);
    expect
        .are<QPushButton>({Id::Ok, Id::Cancel, Id::Apply, Id::GeneralButton, Id::MidiButton,
                           Id::FretboardButton, Id::ColorsButton, Id::OtherButton,
                           Id::TranslateButton, Id::TestOutput, Id::ResetDevice})
        .are<QGroupBox>({Id::StartupGroup, Id::LanguageGroup, Id::ChordsGroup, Id::EditorGroup,
                         Id::DeviceGroup, Id::InstrumentGroup, Id::ChannelGroup,
                         Id::HandednessGroup, Id::NeckGroup, Id::BackgroundGroup, Id::DotGroup,
                         Id::IntervalGroup, Id::NoteTextGroup, Id::TunerGroup, Id::WindowGroup})
        .are<QLabel>({Id::StartupChordfile,   Id::ReferencePitchLabel,
                      Id::LanguageName,       Id::LanguageAuthor,
                      Id::LanguageVersion,    Id::LanguageDescription,
                      Id::OutLabel,           Id::InLabel,
                      Id::ChordSpeedLabel,    Id::FastLabel,
                      Id::SlowLabel,          Id::ChordDecayLabel,
                      Id::ShortLabel,         Id::LongLabel,
                      Id::VolumeLabel,        Id::HighLabel,
                      Id::LowLabel,           Id::DotRedLabel,
                      Id::DotGreenLabel,      Id::DotBlueLabel,
                      Id::DotPreview,         Id::IntervalRedLabel,
                      Id::IntervalGreenLabel, Id::IntervalBlueLabel,
                      Id::IntervalPreview,    Id::NoteTextRedLabel,
                      Id::NoteTextGreenLabel, Id::NoteTextBlueLabel,
                      Id::NoteTextPreview,    Id::WindowSizeLabel,
                      Id::WindowSizeNote})
        .are<ImageButton>({Id::BrowseChordfile})
        .are<QCheckBox>({Id::UseDefaultChordfile, Id::PlayChordsOnChange, Id::PlayNotesWhileEditing,
                         Id::AllFretNotes, Id::ChangeChordsToTuning, Id::RandomColours})
        .are<QComboBox>({Id::LanguageCombo, Id::OutputDevice, Id::InputDevice, Id::Instrument,
                         Id::Channel, Id::WindowSize})
        .are<QSlider>({Id::ChordSpeed, Id::ChordDecay, Id::Volume, Id::DotRed, Id::DotGreen,
                       Id::DotBlue, Id::IntervalRed, Id::IntervalGreen, Id::IntervalBlue,
                       Id::NoteTextRed, Id::NoteTextGreen, Id::NoteTextBlue})
        .are<QRadioButton>({Id::RightHanded, Id::LeftHanded, Id::RegularNeck, Id::UpsideDownNeck,
                            Id::SystemBackground, Id::WhiteBackground})
        .are<QSpinBox>({Id::ReferencePitch});
    expect.are<QGroupBox>({Tr::TranslateGroup})
        .are<QLabel>({Tr::LanguageLabel, Tr::AuthorLabel, Tr::DescriptionLabel, Tr::PhraseLabel,
                      Tr::TranslationLabel, Tr::FileName, Tr::LeftToTranslate})
        .are<QLineEdit>({Tr::Language, Tr::Author, Tr::Description, Tr::Translation})
        .are<QComboBox>({Tr::Phrase})
        .are<ImageButton>({Tr::Open, Tr::Save});
    EXPECT_EQ(expect.named(), namedControls(window));

    for (Id slider : {Id::ChordSpeed, Id::ChordDecay, Id::Volume}) {
        EXPECT_EQ(control<QSlider>(*widget, slider)->orientation(), Qt::Vertical);
    }
    EXPECT_EQ(control<QSlider>(*widget, Id::DotRed)->orientation(), Qt::Horizontal);
    EXPECT_NE(control<QLabel>(*widget, Id::DotPreview)->frameShape(), QFrame::NoFrame);
}

// Checking one radio button unchecks only the others of its own group.
void expectExclusiveGroups(const QWidget& window, const std::vector<std::vector<int>>& groups) {
    auto radio = [&](int id) { return control<QRadioButton>(window, id); };
    for (const auto& group : groups) {
        for (int id : group)
            ASSERT_NE(radio(id), nullptr) << "radio " << id;
        radio(group.front())->click();
    }
    std::vector<int> checked;
    for (const auto& group : groups)
        checked.push_back(group.front());

    for (std::size_t g = 0; g < groups.size(); ++g) {
        for (int id : groups[g]) {
            radio(id)->click();
            checked[g] = id;
            for (std::size_t other = 0; other < groups.size(); ++other) {
                for (int member : groups[other]) {
                    EXPECT_EQ(radio(member)->isChecked(), member == checked[other])
                        << "radio " << member << " after clicking " << id;
                }
            }
        }
    }
}

template <typename... Id> std::vector<int> ids(Id... id) {
    return {static_cast<int>(id)...};
}

TEST(DialogTemplates, RadioButtonsFormTheGroupsTheirWindowsDescribe) {
    {
        using Id = resources::ChordsTabsId;
        const auto widget = build(windowNamed("chords and tabs page"));
        expectExclusiveGroups(*widget, {ids(Id::ShowNotes, Id::HideNotes)});
    }
    {
        using Id = resources::ScalesId;
        const auto widget = build(windowNamed("scales page"));
        expectExclusiveGroups(*widget, {ids(Id::ShowIntervals, Id::ShowNotes)});
    }
    {
        using Id = resources::TunerId;
        const auto widget = build(windowNamed("tuner page"));
        expectExclusiveGroups(*widget, {ids(Id::ShowNotes, Id::ShowNumbers),
                                        ids(Id::DisableEditing, Id::EnableEditing)});
    }
    {
        using Id = resources::DrummerId;
        const auto widget = build(windowNamed("drummer page"));
        expectExclusiveGroups(*widget, {ids(Id::DisableEditing, Id::EnableEditing)});
    }
    {
        using Id = resources::SettingsId;
        const auto widget = build(windowNamed("settings dialog"));
        expectExclusiveGroups(*widget, {ids(Id::RightHanded, Id::LeftHanded),
                                        ids(Id::RegularNeck, Id::UpsideDownNeck),
                                        ids(Id::SystemBackground, Id::WhiteBackground)});
    }
}

} // namespace
} // namespace strumvale::uikit
