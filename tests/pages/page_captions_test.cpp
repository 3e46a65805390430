#include "formats/language_file.h"
#include "library/chord_library.h"
#include "page_rig.h"
#include "pages/drummer_page.h"
#include "pages/editor_page.h"
#include "pages/page_host.h"
#include "pages/playlist_page.h"
#include "pages/tuner_page.h"
#include "resources/templates/drummer_page.h"
#include "resources/templates/editor_page.h"
#include "resources/templates/playlist_page.h"
#include "resources/templates/tuner_page.h"
#include "uikit/image_button.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QStringList>
#include <gtest/gtest.h>
#include <memory>
#include <utility>
#include <vector>

namespace strumvale::pages {
namespace {

// The main window as far as the pages see it while they only show captions.
class FakeHost final : public PageHost {
public:
    FakeHost() { library_.LoadLanguage("English (Built-in)"); }

    ChordLibrary& library() override { return library_; }
    void onChordsChanged() override {}
    void onScalesChanged() override {}
    void onTuningsChanged() override {}
    void onDrumPatternsChanged() override {}
    void closeChordfile() override {}
    void addChordToPlaylist(const model::Chord&, std::string_view) override {}
    void fillTuningCombo(QComboBox&) override {}
    void applySettings() override {}
    sound::LivePattern& drummerPattern() override { return drums_; }
    bool drummerPatternLoaded() override { return false; }
    bool refuseWhilePlaying(const QString&) override { return false; }

    // A language in which every phrase reads "~" and its English text.
    void useMarkedLanguage() {
        formats::TextList phrases;
        ASSERT_TRUE(formats::BuiltInPhrases(phrases));
        library_.Translations.RemoveAll();
        for (const std::string& phrase : phrases) {
            std::string entry = phrase;
            entry += "=~";
            entry += phrase;
            library_.Translations.Add(entry);
        }
    }

private:
    ChordLibrary library_;
    test::FakeDrums drums_;
};

QString caption(const QWidget& widget) {
    if (auto* group = qobject_cast<const QGroupBox*>(&widget))
        return group->title();
    if (auto* button = qobject_cast<const QAbstractButton*>(&widget))
        return button->text();
    if (auto* label = qobject_cast<const QLabel*>(&widget))
        return label->text();
    if (auto* edit = qobject_cast<const QPlainTextEdit*>(&widget))
        return edit->toPlainText();
    return {};
}

template <typename Id> using Captions = std::vector<std::pair<Id, const char*>>;

template <typename Id> void expectCaptions(const Page& page, const Captions<Id>& expected) {
    for (const auto& [id, text] : expected) {
        auto* widget = page.control<QWidget>(id);
        ASSERT_NE(widget, nullptr) << "control " << static_cast<int>(id);
        EXPECT_EQ(caption(*widget).toStdString(), text) << "control " << static_cast<int>(id);
    }
}

// After a language change every caption on the page is the new language's;
// a caption left in the template's English would lack the mark.
void expectEveryCaptionTranslated(const Page& page) {
    int captions = 0;
    for (QWidget* child : page.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QString text = caption(*child);
        if (text.isEmpty())
            continue;
        ++captions;
        EXPECT_TRUE(text.startsWith('~')) << "control " << child->property("controlId").toInt()
                                          << " still reads \"" << text.toStdString() << "\"";
    }
    EXPECT_GT(captions, 0);
}

void expectNoTranslationError(const Page& page) {
    for (QWidget* child : page.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        EXPECT_FALSE(caption(*child).contains(formats::kTranslationError))
            << "control " << child->property("controlId").toInt();
    }
}

TEST(PageCaptions, TunerPageSpeaksTheLanguageInUse) {
    using Id = resources::TunerId;
    FakeHost host;
    TunerPage page(host);
    expectCaptions<Id>(page,
                       {
                           {Id::TuningGroup, "Tuning"},
                           {Id::NoteLengthGroup, "Note Length"},
                           {Id::ShortLabel, "Short"},
                           {Id::LongLabel, "Long"},
                           {Id::DisplayGroup, "Display"},
                           {Id::ShowNotes, "Notes"},
                           {Id::ShowNumbers, "Numbers"},
                           {Id::DisableEditing, "Disable editing"},
                           {Id::EnableEditing, "Enable editing"},
                           {Id::LoopNotes, "Loop notes when playing"},
                           {Id::EditingDisabledNotice, "Editing of Tunings is currently disabled."},
                           {Id::TuningNameLabel, "Tuning Name:"},
                           {Id::Update, "Update"},
                           {Id::Remove, "Remove"},
                           {Id::New, "New"},
                           {Id::String6Label, "String 6 (E):"},
                           {Id::String5Label, "String 5 (A):"},
                           {Id::String4Label, "String 4 (D):"},
                           {Id::String3Label, "String 3 (G):"},
                           {Id::String2Label, "String 2 (B):"},
                           {Id::String1Label, "String 1 (E):"},
                       });
    expectNoTranslationError(page);
    for (Id button : {Id::String6Play, Id::String5Play, Id::String4Play, Id::String3Play,
                      Id::String2Play, Id::String1Play}) {
        EXPECT_FALSE(page.control<uikit::ImageButton>(button)->icon().isNull())
            << "string button " << static_cast<int>(button);
    }

    host.useMarkedLanguage();
    page.retranslate();
    expectEveryCaptionTranslated(page);
    expectCaptions<Id>(page, {{Id::TuningNameLabel, "~Tuning Name:"}});
}

TEST(PageCaptions, DrummerPageSpeaksTheLanguageInUse) {
    using Id = resources::DrummerId;
    FakeHost host;
    DrummerPage page(host);
    expectCaptions<Id>(
        page, {
                  {Id::TrackSettingsGroup, "Track Settings"},
                  {Id::CurrentPatternGroup, "Current Pattern"},
                  {Id::EditPatternGroup, "Edit Pattern"},
                  {Id::TrackLabel, "Track Nr:"},
                  {Id::VolumeLabel, "Volume:"},
                  {Id::InstrumentLabel, "Instrument:"},
                  {Id::TempoLabel, "Tempo:"},
                  {Id::BpmLabel, "bpm"},
                  {Id::DisableEditing, "Disable editing"},
                  {Id::EnableEditing, "Enable editing"},
                  {Id::LoopPattern, "Loop Pattern"},
                  {Id::Play, "Play"},
                  {Id::EditingDisabledNotice, "Editing of Patterns is currently disabled."},
                  {Id::Update, "Update"},
                  {Id::Remove, "Remove"},
                  {Id::New, "New"},
              });
    expectNoTranslationError(page);

    host.useMarkedLanguage();
    page.retranslate();
    expectEveryCaptionTranslated(page);
}

TEST(PageCaptions, PlaylistPageSpeaksTheLanguageInUseAndKeepsTypedLyrics) {
    using Id = resources::PlaylistId;
    FakeHost host;
    PlaylistPage page(host);
    expectCaptions<Id>(page, {
                                 {Id::Play, "Play"},
                                 {Id::Add, "Add"},
                                 {Id::AddSeparator, "Add Separator"},
                                 {Id::Remove, "Remove"},
                                 {Id::Lyrics, "Add your lyrics or notes here."},
                             });
    expectNoTranslationError(page);
    EXPECT_FALSE(page.control<uikit::ImageButton>(Id::MoveUp)->icon().isNull());
    EXPECT_FALSE(page.control<uikit::ImageButton>(Id::MoveDown)->icon().isNull());

    // The start text follows the language; it is no lyric to keep.
    host.useMarkedLanguage();
    page.retranslate();
    expectEveryCaptionTranslated(page);
    expectCaptions<Id>(page, {{Id::Lyrics, "~Add your lyrics or notes here."}});
    EXPECT_TRUE(page.playlistToKeep().Lyrics.empty());
    EXPECT_FALSE(page.isChanged());

    // What the user typed survives a change of language, and back again.
    page.control<QPlainTextEdit>(Id::Lyrics)
        ->setPlainText("Verse one\nAdd your lyrics or notes here.");
    host.library().LoadLanguage("English (Built-in)");
    page.retranslate();
    expectCaptions<Id>(page, {{Id::Play, "Play"}});
    EXPECT_EQ(page.control<QPlainTextEdit>(Id::Lyrics)->toPlainText(),
              "Verse one\nAdd your lyrics or notes here.");
    EXPECT_EQ(page.playlistToKeep().Lyrics, "Verse one\nAdd your lyrics or notes here.");
    EXPECT_TRUE(page.isChanged());

    // Emptied by the user, the box stays empty too.
    page.control<QPlainTextEdit>(Id::Lyrics)->clear();
    host.useMarkedLanguage();
    page.retranslate();
    EXPECT_EQ(page.control<QPlainTextEdit>(Id::Lyrics)->toPlainText(), "");
}

QStringList rows(const QListWidget& list) {
    QStringList texts;
    for (int row = 0; row < list.count(); ++row)
        texts << list.item(row)->text();
    return texts;
}

TEST(PageCaptions, EditorPageSpeaksTheLanguageInUse) {
    using Id = resources::EditorId;
    FakeHost host;
    EditorPage page(host);
    expectCaptions<Id>(page, {
                                 {Id::NameLabel, "Name:"},
                                 {Id::TabLabel, "Tab:"},
                                 {Id::Update, "Update"},
                                 {Id::New, "New"},
                                 {Id::Play, "Play"},
                                 {Id::Remove, "Remove"},
                                 {Id::NewChordfile, "New Chordfile"},
                                 {Id::InformationGroup, "Chordfile Information"},
                                 {Id::AuthorOrIntervalsLabel, "Author:"},
                                 {Id::HomepageOrDescriptionLabel, "Homepage:"},
                                 {Id::DescriptionLabel, "Description:"},
                             });
    expectNoTranslationError(page);
    EXPECT_FALSE(page.control<uikit::ImageButton>(Id::MoveUp)->icon().isNull());
    EXPECT_FALSE(page.control<uikit::ImageButton>(Id::MoveDown)->icon().isNull());
    auto* keys = page.control<QListWidget>(Id::KeyList);
    EXPECT_EQ(rows(*keys), (QStringList{"A", "B", "C", "D", "E", "F", "G", "Scales"}));

    host.useMarkedLanguage();
    page.retranslate();
    expectEveryCaptionTranslated(page);
    EXPECT_EQ(rows(*keys), (QStringList{"A", "B", "C", "D", "E", "F", "G", "~Scales"}));
}

// The key list keeps its seven keys and exactly one scales entry in the
// language in use, sorted in, and a chosen scales entry stays chosen.
TEST(PageCaptions, EditorKeyListTakesTheScalesEntryOfEachLanguage) {
    using Id = resources::EditorId;
    FakeHost host;
    EditorPage page(host);
    auto* keys = page.control<QListWidget>(Id::KeyList);
    keys->setCurrentRow(rows(*keys).indexOf("Scales"));
    ASSERT_EQ(keys->currentItem()->text(), "Scales");

    host.useMarkedLanguage();
    page.retranslate();
    page.retranslate();
    EXPECT_EQ(rows(*keys), (QStringList{"A", "B", "C", "D", "E", "F", "G", "~Scales"}));
    ASSERT_NE(keys->currentItem(), nullptr);
    EXPECT_EQ(keys->currentItem()->text().toStdString(), "~Scales");

    keys->setCurrentRow(1);
    host.library().LoadLanguage("English (Built-in)");
    page.retranslate();
    EXPECT_EQ(rows(*keys), (QStringList{"A", "B", "C", "D", "E", "F", "G", "Scales"}));
    EXPECT_EQ(keys->currentItem()->text().toStdString(), "B");
}

} // namespace
} // namespace strumvale::pages
