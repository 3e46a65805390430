#include "settings/settings_dialog.h"

#include "formats/language_folder.h"
#include "library/chord_library.h"
#include "settings/colour_group.h"
#include "settings/colour_preview.h"
#include "settings/translation_editor.h"
#include "sound/gm_names.h"
#include "uikit/icons.h"
#include "uikit/image_button.h"
#include "uikit/message_box.h"
#include "uikit/player_errors.h"
#include "uikit/text.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <exception>
#include <utility>

namespace strumvale::settings {
namespace {

using Id = resources::SettingsId;
using uikit::fromQString;
using uikit::toQString;
namespace style = resources::style;

constexpr std::array<Id, SettingsDialog::kPageCount> kSideButtons = {
    Id::GeneralButton, Id::MidiButton,  Id::FretboardButton,
    Id::ColorsButton,  Id::OtherButton, Id::TranslateButton};

// The English built-in table has no header of its own to show.
constexpr std::array<const char*, 4> kBuiltInInformation = {"English", "Korvane", "All", ""};

bool isPreview(int id) {
    return id == static_cast<int>(Id::DotPreview) || id == static_cast<int>(Id::IntervalPreview) ||
           id == static_cast<int>(Id::NoteTextPreview);
}

// Selects entry index, or nothing when the list is shorter.
void selectIfListed(QComboBox& list, int index) {
    list.setCurrentIndex(index >= 0 && index < list.count() ? index : -1);
}

// Like a fresh list's selection: an index the list does not hold keeps the
// stored value rather than turning it into -1.
void storeSelection(const QComboBox& list, std::int32_t& value) {
    if (list.currentIndex() >= 0)
        value = list.currentIndex();
}

} // namespace

SettingsDialog::SettingsDialog(ChordLibrary& library, std::function<void()> applySettings,
                               QWidget* parent)
    : QDialog(parent), library_(library), applySettings_(std::move(applySettings)) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    uikit::buildDialog(*this, resources::settingsDialogTemplate(),
                       uikit::DialogSizing::FixedWindow);
    applyButton_ = control<QPushButton>(Id::Apply);
    if (auto* picture = control<QLabel>(resources::kNoId)) {
        picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        picture->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        picture->setPixmap(uikit::applicationIcon().pixmap(64, 64));
    }
    sideButtons_ = new QButtonGroup(this);
    for (std::size_t page = 0; page < kSideButtons.size(); ++page) {
        auto* button = control<QPushButton>(kSideButtons[page]);
        button->setCheckable(true);
        sideButtons_->addButton(button, static_cast<int>(page));
    }
    buildPages();
    sideButtons_->button(static_cast<int>(Page::General))->setChecked(true);

    fillLists();
    languages_ = control<QComboBox>(Id::LanguageCombo);
    // Without a stored choice the locale chose: the list shows what is in use.
    std::string language = library_.Settings.Language;
    if (language.empty() || language == model::kBuiltInLanguage)
        language = formats::languageChoiceOf(library_.LanguageInUse);
    fillLanguages(language);
    showLanguageInformation();
    applyButton_->setEnabled(false);
    page_ = Page::Other; // so that the General page is shown below
    showPage(Page::General);
    showSettings();
    retranslate();
    connectChanges();

    connect(sideButtons_, &QButtonGroup::idClicked, this,
            [this](int page) { showPage(static_cast<Page>(page)); });
    connect(control<QPushButton>(Id::Ok), &QPushButton::clicked, this, [this] {
        apply();
        accept();
    });
    connect(control<QPushButton>(Id::Cancel), &QPushButton::clicked, this, &QDialog::reject);
    connect(applyButton_, &QPushButton::clicked, this, [this] { apply(); });
    connect(control<uikit::ImageButton>(Id::BrowseChordfile), &QToolButton::clicked, this,
            [this] { browse(); });
    connect(control<QPushButton>(Id::TestOutput), &QPushButton::clicked, this,
            [this] { testOutput(); });
    connect(control<QPushButton>(Id::ResetDevice), &QPushButton::clicked, this,
            [this] { resetDevice(); });
}

SettingsDialog::~SettingsDialog() = default;

bool SettingsDialog::run(ChordLibrary& library, std::function<void()> applySettings,
                         QWidget* parent) {
    SettingsDialog dialog(library, std::move(applySettings), parent);
    return dialog.exec() == QDialog::Accepted;
}

void SettingsDialog::buildPages() {
    const auto factory = [](const resources::ControlTemplate& control,
                            QWidget* parent) -> QWidget* {
        return isPreview(control.id) ? new ColourPreview(parent) : nullptr;
    };
    for (int page = 0; page < static_cast<int>(Page::Translate); ++page) {
        const resources::DialogTemplate& layout =
            resources::settingsPageTemplate(static_cast<resources::SettingsPage>(page));
        uikit::buildDialog(*this, layout, uikit::DialogSizing::Child, factory);
        for (const resources::ControlTemplate& control : layout.controls) {
            auto* widget = this->control<QWidget>(control.id);
            widget->hide();
            // Boxes made hidden stay hidden on their page too.
            if ((control.style & style::Hidden) == 0)
                pageControls_.at(static_cast<std::size_t>(page)).push_back(widget);
        }
    }
    control<uikit::ImageButton>(Id::BrowseChordfile)->setIconResource(uikit::icon::Open);
    translator_ = new TranslationEditor(*this, library_);
    pageControls_.at(static_cast<std::size_t>(Page::Translate)) = translator_->controls();
    // A translation saved among the languages can be chosen at once.
    translator_->onSaved(
        [this](const std::string&) { fillLanguages(uikit::toSystem(languages_->currentText())); });

    auto colourGroup = [this](Id red, Id green, Id blue, Id preview) {
        return std::make_unique<ColourGroup>(control<QSlider>(red), control<QSlider>(green),
                                             control<QSlider>(blue),
                                             control<ColourPreview>(preview));
    };
    colours_[0] = colourGroup(Id::DotRed, Id::DotGreen, Id::DotBlue, Id::DotPreview);
    colours_[1] =
        colourGroup(Id::IntervalRed, Id::IntervalGreen, Id::IntervalBlue, Id::IntervalPreview);
    colours_[2] =
        colourGroup(Id::NoteTextRed, Id::NoteTextGreen, Id::NoteTextBlue, Id::NoteTextPreview);

    // Vertical sliders carry their low end at the top, beside "Fast",
    // "Short" and "High".
    for (Id id : {Id::ChordSpeed, Id::ChordDecay, Id::Volume}) {
        auto* slider = control<QSlider>(id);
        slider->setInvertedAppearance(true);
        slider->setInvertedControls(true);
    }
    for (Id id : {Id::ResetDevice, Id::PlayNotesWhileEditing})
        control<QWidget>(id)->setEnabled(true);
    control<QSlider>(Id::ChordSpeed)->setRange(10, 500);
    control<QSlider>(Id::ChordDecay)->setRange(100, 1000);
    control<QSlider>(Id::Volume)->setRange(0, 127);
    control<QSpinBox>(Id::ReferencePitch)
        ->setRange(model::kLowestReferencePitch, model::kHighestReferencePitch);
    for (std::int32_t size : model::kWindowSizes)
        control<QComboBox>(Id::WindowSize)->addItem(QStringLiteral("%1 %").arg(size), size);
}

void SettingsDialog::showPage(Page page) {
    sideButtons_->button(static_cast<int>(page))->setChecked(true);
    if (page == page_)
        return;
    for (auto& controls : pageControls_) {
        for (QWidget* widget : controls)
            widget->hide();
    }
    for (QWidget* widget : pageControls_.at(static_cast<std::size_t>(page)))
        widget->show();
    page_ = page;
}

void SettingsDialog::fillLists() {
    const model::Settings& settings = library_.Settings;
    auto* instruments = control<QComboBox>(Id::Instrument);
    for (std::string_view name : sound::instrumentNames())
        instruments->addItem(toQString(name));
    selectIfListed(*instruments, settings.Instrument);

    const platform::MidiDeviceSnapshot& devices = library_.ChordPlayer.devices();
    auto* outputs = control<QComboBox>(Id::OutputDevice);
    for (const auto& device : devices.outputs)
        outputs->addItem(uikit::fromSystem(device.name));
    outputs->setEnabled(outputs->count() > 0);
    control<QPushButton>(Id::TestOutput)->setEnabled(outputs->count() > 0);
    selectIfListed(*outputs, settings.Midioutdevice);
    auto* inputs = control<QComboBox>(Id::InputDevice);
    for (const auto& name : devices.inputs)
        inputs->addItem(uikit::fromSystem(name));
    selectIfListed(*inputs, settings.Midiindevice);

    auto* channels = control<QComboBox>(Id::Channel);
    for (int channel = 1; channel <= 16; ++channel)
        channels->addItem(QString::number(channel));
}

void SettingsDialog::fillLanguages(const std::string& current) {
    const std::vector<std::string> choices =
        formats::LanguageChoices(library_.Settings.ProgramDirectory);
    const QSignalBlocker blocker(languages_);
    languages_->clear();
    for (const std::string& choice : choices)
        languages_->addItem(uikit::fromSystem(choice));
    languages_->setCurrentIndex(static_cast<int>(formats::findLanguageChoice(choices, current)));
}

void SettingsDialog::showLanguageInformation() {
    const std::string chosen = uikit::toSystem(languages_->currentText());
    const std::array<Id, 4> labels = {Id::LanguageName, Id::LanguageAuthor, Id::LanguageVersion,
                                      Id::LanguageDescription};
    const std::array<const char*, 4> words = {"Language", "Author", "Created for version",
                                              "Description"};
    std::array<QString, 4> values;
    bool readable = true;
    if (chosen == model::kBuiltInLanguage) {
        for (std::size_t i = 0; i < values.size(); ++i)
            values[i] = QString::fromLatin1(kBuiltInInformation[i]);
    } else {
        try {
            readable = library_.ReadLanguageInfo(
                formats::languageFilePath(library_.Settings.ProgramDirectory, chosen));
        } catch (const std::exception&) {
            readable = false;
        }
        const std::array<const char*, 4> fields = {"Language", "Author", "Version", "Description"};
        for (std::size_t i = 0; readable && i < values.size(); ++i)
            values[i] = toQString(library_.LanguageInfoField(fields[i]));
    }
    for (std::size_t i = 0; i < labels.size(); ++i) {
        control<QLabel>(labels[i])->setText(readable ? translate(words[i]) + ": " + values[i]
                                                     : QString());
    }
    if (!readable)
        control<QLabel>(Id::LanguageName)->setText(translate("Could not load the language file."));
    markChanged();
}

void SettingsDialog::showSettings() {
    const model::Settings& settings = library_.Settings;
    control<QRadioButton>(settings.Lefthanded ? Id::LeftHanded : Id::RightHanded)->setChecked(true);
    control<QRadioButton>(settings.Upsidedownneck ? Id::UpsideDownNeck : Id::RegularNeck)
        ->setChecked(true);
    control<QRadioButton>(settings.Whitebackgroundcolor ? Id::WhiteBackground
                                                        : Id::SystemBackground)
        ->setChecked(true);
    control<QCheckBox>(Id::PlayChordsOnChange)->setChecked(settings.Playchordsonchange);
    control<QCheckBox>(Id::PlayNotesWhileEditing)->setChecked(settings.Playnoteswhileediting);
    control<QCheckBox>(Id::AllFretNotes)->setChecked(settings.Displaynotesforallfrets);
    selectIfListed(*control<QComboBox>(Id::Instrument), settings.Instrument);
    selectIfListed(*control<QComboBox>(Id::Channel), settings.Midichannel);
    control<QSlider>(Id::ChordSpeed)->setValue(settings.Chordspeed);
    control<QSlider>(Id::ChordDecay)->setValue(settings.Chorddecay);
    // Loud at the top, where the slider's low end is.
    control<QSlider>(Id::Volume)->setValue(127 - settings.Volume);
    control<QSpinBox>(Id::ReferencePitch)->setValue(int(settings.referencePitch()));
    auto* windowSize = control<QComboBox>(Id::WindowSize);
    windowSize->setCurrentIndex(windowSize->findData(settings.windowSize()));
    colours_[0]->show(settings.Clrdots1, settings.Clrdots2, settings.Clrdots3);
    colours_[1]->show(settings.Clrintervaltext1, settings.Clrintervaltext2,
                      settings.Clrintervaltext3);
    colours_[2]->show(settings.Clrnotetext1, settings.Clrnotetext2, settings.Clrnotetext3);
}

void SettingsDialog::storeSettings() {
    model::Settings& settings = library_.Settings;
    settings.Lefthanded = control<QRadioButton>(Id::LeftHanded)->isChecked();
    settings.Upsidedownneck = !control<QRadioButton>(Id::RegularNeck)->isChecked();
    settings.Playchordsonchange = control<QCheckBox>(Id::PlayChordsOnChange)->isChecked();
    settings.Playnoteswhileediting = control<QCheckBox>(Id::PlayNotesWhileEditing)->isChecked();
    settings.Displaynotesforallfrets = control<QCheckBox>(Id::AllFretNotes)->isChecked();
    settings.Whitebackgroundcolor = control<QRadioButton>(Id::WhiteBackground)->isChecked();
    settings.Language = uikit::toSystem(languages_->currentText());
    storeSelection(*control<QComboBox>(Id::Channel), settings.Midichannel);
    // No device chosen, or none there: -1, which opens nothing.
    settings.Midioutdevice = control<QComboBox>(Id::OutputDevice)->currentIndex();
    storeSelection(*control<QComboBox>(Id::Instrument), settings.Instrument);
    settings.Chordspeed = control<QSlider>(Id::ChordSpeed)->value();
    settings.Chorddecay = control<QSlider>(Id::ChordDecay)->value();
    settings.Volume = 127 - control<QSlider>(Id::Volume)->value();
    settings.Referencepitch = control<QSpinBox>(Id::ReferencePitch)->value();
    settings.Windowsize = control<QComboBox>(Id::WindowSize)->currentData().toInt();
    colours_[0]->store({settings.Clrdots1, settings.Clrdots2, settings.Clrdots3});
    colours_[1]->store(
        {settings.Clrintervaltext1, settings.Clrintervaltext2, settings.Clrintervaltext3});
    colours_[2]->store({settings.Clrnotetext1, settings.Clrnotetext2, settings.Clrnotetext3});
}

void SettingsDialog::apply() {
    if (!library_.Settings.SettingsChanged)
        return;
    storeSettings();
    loadChosenLanguage();
    showLanguageInformation();
    if (applySettings_)
        applySettings_();
    applyButton_->setEnabled(false);
}

void SettingsDialog::loadChosenLanguage() {
    const std::string& language = library_.Settings.Language;
    bool loaded = false;
    try {
        loaded = language == model::kBuiltInLanguage
                     ? library_.LoadLanguage(model::kBuiltInLanguage)
                     : library_.LoadLanguage(
                           formats::languageFilePath(library_.Settings.ProgramDirectory, language));
    } catch (const std::exception&) {
        loaded = false;
    }
    if (loaded) {
        retranslate();
        return;
    }
    // The table in force stays, and so does the language in the settings.
    uikit::showMessage(this, {translate("Could not load the language file."), translate("Error"),
                              uikit::MessageIcon::Exclamation, uikit::MessageButtons::Ok});
}

void SettingsDialog::connectChanges() {
    const auto changed = [this] { markChanged(); };
    for (Id id : {Id::RightHanded, Id::LeftHanded, Id::RegularNeck, Id::UpsideDownNeck,
                  Id::SystemBackground, Id::WhiteBackground, Id::PlayChordsOnChange,
                  Id::PlayNotesWhileEditing, Id::AllFretNotes})
        connect(control<QAbstractButton>(id), &QAbstractButton::toggled, this, changed);
    for (Id id : {Id::OutputDevice, Id::Instrument, Id::Channel, Id::WindowSize})
        connect(control<QComboBox>(id), &QComboBox::currentIndexChanged, this, changed);
    for (Id id : {Id::ChordSpeed, Id::ChordDecay, Id::Volume})
        connect(control<QSlider>(id), &QSlider::valueChanged, this, changed);
    connect(control<QSpinBox>(Id::ReferencePitch), &QSpinBox::valueChanged, this, changed);
    for (const auto& group : colours_)
        group->onChange(this, changed);
    connect(languages_, &QComboBox::currentIndexChanged, this,
            [this] { showLanguageInformation(); });
}

void SettingsDialog::markChanged() {
    library_.Settings.SettingsChanged = true;
    applyButton_->setEnabled(true);
}

void SettingsDialog::browse() {
    uikit::showMessage(this, {QStringLiteral("Browsing..."), QCoreApplication::applicationName(),
                              uikit::MessageIcon::None, uikit::MessageButtons::Ok});
}

void SettingsDialog::testOutput() {
    sound::ChordPlayer& program = library_.ChordPlayer;
    const midi::OutputDevice* device =
        midi::outputAt(program.devices(), control<QComboBox>(Id::OutputDevice)->currentIndex());
    if (device == nullptr)
        return;
    // A test still sounding is cut short with its player.
    testPlayer_ = std::make_unique<sound::ChordPlayer>(program.clock());
    uikit::showPlayerErrors(*testPlayer_, *this);
    if (!testPlayer_->openDevice(*device))
        return;
    const int channel = control<QComboBox>(Id::Channel)->currentIndex();
    const int instrument = control<QComboBox>(Id::Instrument)->currentIndex();
    testPlayer_->setChannel(channel >= 0 ? channel : library_.Settings.Midichannel);
    testPlayer_->setInstrument(instrument >= 0 ? instrument : library_.Settings.Instrument);
    testPlayer_->setVelocity(127 - control<QSlider>(Id::Volume)->value());
    testPlayer_->setStrumDelay(control<QSlider>(Id::ChordSpeed)->value());
    testPlayer_->setHoldTime(control<QSlider>(Id::ChordDecay)->value());
    testPlayer_->strum(model::Chord("C", "C", "x 3 2 0 1 0"), model::Tuning::standard());
}

void SettingsDialog::resetDevice() {
    library_.ChordPlayer.resetDevice(library_.Settings.Midioutdevice);
}

QString SettingsDialog::translate(std::string_view key) const {
    return toQString(library_.Translate(key));
}

} // namespace strumvale::settings
