#include "settings/colour_preview.h"
#include "settings_rig.h"
#include "sound/gm_names.h"
#include "uikit/image_button.h"
#include "uikit/message_box.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>

namespace strumvale::test {
namespace {

class SettingsDialogTest : public SettingsRig {};

using Id = resources::SettingsId;
using Page = settings::SettingsDialog::Page;

QStringList comboTexts(const QComboBox& combo) {
    QStringList texts;
    for (int i = 0; i < combo.count(); ++i)
        texts << combo.itemText(i);
    return texts;
}

TEST_F(SettingsDialogTest, OpensOnTheRecordsValuesAndOkWithoutTouchingAppliesThem) {
    model::Settings& settings = library.Settings;
    settings.Instrument = 24;
    settings.Midichannel = 3;
    settings.Midioutdevice = 1;
    settings.Chordspeed = 120;
    settings.Chorddecay = 700;
    settings.Volume = 100;
    settings.Lefthanded = true;
    settings.Whitebackgroundcolor = true;
    settings.Displaynotesforallfrets = true;
    settings.Clrdots1 = 1;
    settings.Clrdots2 = 2;
    settings.Clrdots3 = 3;
    const model::Settings before = settings;
    open();

    EXPECT_EQ(dialog->windowTitle(), "Settings");
    EXPECT_EQ(dialog->currentPage(), Page::General);
    EXPECT_TRUE(control<QPushButton>(Id::GeneralButton)->isChecked());
    EXPECT_FALSE(control<QPushButton>(Id::OtherButton)->isVisibleTo(dialog.get()));
    EXPECT_EQ(combo(Id::Instrument)->count(), sound::kInstrumentCount);
    EXPECT_EQ(combo(Id::Instrument)->itemText(0).toStdString(), sound::instrumentNames()[0]);
    EXPECT_EQ(combo(Id::Instrument)->currentIndex(), 24);
    EXPECT_EQ(comboTexts(*combo(Id::Channel)).first(), "1");
    EXPECT_EQ(comboTexts(*combo(Id::Channel)).last(), "16");
    EXPECT_EQ(combo(Id::Channel)->currentText(), "4");
    EXPECT_EQ(comboTexts(*combo(Id::OutputDevice)), (QStringList{"Synth A", "Synth B"}));
    EXPECT_EQ(combo(Id::OutputDevice)->currentIndex(), 1);
    EXPECT_FALSE(combo(Id::InputDevice)->isEnabled());
    EXPECT_TRUE(control<QPushButton>(Id::TestOutput)->isEnabled());
    EXPECT_EQ(slider(Id::ChordSpeed)->value(), 120);
    EXPECT_EQ(slider(Id::ChordDecay)->value(), 700);
    EXPECT_EQ(slider(Id::Volume)->value(), 27);
    EXPECT_TRUE(control<QRadioButton>(Id::LeftHanded)->isChecked());
    EXPECT_TRUE(control<QRadioButton>(Id::RegularNeck)->isChecked());
    EXPECT_TRUE(control<QRadioButton>(Id::WhiteBackground)->isChecked());
    EXPECT_TRUE(control<QCheckBox>(Id::AllFretNotes)->isChecked());
    EXPECT_FALSE(control<QCheckBox>(Id::PlayChordsOnChange)->isChecked());
    EXPECT_EQ(control<settings::ColourPreview>(Id::DotPreview)->colour(), QColor(1, 2, 3));

    EXPECT_EQ(comboTexts(*combo(Id::LanguageCombo)),
              (QStringList{"English (Built-in)", "damaged", "svenska", "svenska2"}));
    EXPECT_EQ(combo(Id::LanguageCombo)->currentIndex(), 0);
    EXPECT_EQ(control<QLabel>(Id::LanguageName)->text(), "Language: English");
    EXPECT_EQ(control<QLabel>(Id::LanguageAuthor)->text(), "Author: Korvane");
    EXPECT_EQ(control<QLabel>(Id::LanguageVersion)->text(), "Created for version: All");
    EXPECT_EQ(control<QLabel>(Id::LanguageDescription)->text(), "Description: ");

    // Opening marks the settings changed, so OK applies what the dialog shows.
    EXPECT_TRUE(settings.SettingsChanged);
    EXPECT_FALSE(applyEnabled());
    press(Id::Ok);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(applied, 1);
    model::Settings expected = before;
    expected.SettingsChanged = false;
    expected.Language = model::kBuiltInLanguage;
    EXPECT_EQ(settings.Instrument, expected.Instrument);
    EXPECT_EQ(settings.Midichannel, expected.Midichannel);
    EXPECT_EQ(settings.Midioutdevice, expected.Midioutdevice);
    EXPECT_EQ(settings.Chordspeed, expected.Chordspeed);
    EXPECT_EQ(settings.Chorddecay, expected.Chorddecay);
    EXPECT_EQ(settings.Volume, expected.Volume);
    EXPECT_EQ(settings.Lefthanded, expected.Lefthanded);
    EXPECT_EQ(settings.Upsidedownneck, expected.Upsidedownneck);
    EXPECT_EQ(settings.Whitebackgroundcolor, expected.Whitebackgroundcolor);
    EXPECT_EQ(settings.Displaynotesforallfrets, expected.Displaynotesforallfrets);
    EXPECT_EQ(settings.dotsColor(), expected.dotsColor());
    EXPECT_EQ(settings.Language, expected.Language);
}

TEST_F(SettingsDialogTest, ADeviceOutsideTheListIsNotSelectedAndNoDevicesStoreMinusOne) {
    library.Settings.Midioutdevice = 2;
    open();
    EXPECT_EQ(combo(Id::OutputDevice)->currentIndex(), -1);
    press(Id::Ok);
    EXPECT_EQ(library.Settings.Midioutdevice, -1);

    midi->setOutputs({});
    library.Settings.Midioutdevice = 0;
    open();
    EXPECT_FALSE(combo(Id::OutputDevice)->isEnabled());
    EXPECT_EQ(combo(Id::OutputDevice)->count(), 0);
    press(Id::Ok);
    EXPECT_EQ(library.Settings.Midioutdevice, -1);
}

TEST_F(SettingsDialogTest, AStoredLanguageFindsTheFirstEntryItBegins) {
    for (const auto& [stored, shown] :
         std::vector<std::pair<std::string, QString>>{{"sv", "svenska"},
                                                      {"SVENSKA2", "svenska2"},
                                                      {"klingon", "English (Built-in)"},
                                                      {"", "English (Built-in)"}}) {
        library.Settings.Language = stored;
        open();
        EXPECT_EQ(combo(Id::LanguageCombo)->currentText(), shown) << stored;
    }
    EXPECT_EQ(control<QLabel>(Id::LanguageName)->text(), "Language: English");
    combo(Id::LanguageCombo)->setCurrentText("svenska");
    EXPECT_EQ(control<QLabel>(Id::LanguageName)->text(), "Language: Svenska");
    EXPECT_EQ(control<QLabel>(Id::LanguageAuthor)->text(), "Author: Tester");
    EXPECT_EQ(control<QLabel>(Id::LanguageVersion)->text(), "Created for version: 4.0.0.beta1");
    EXPECT_EQ(control<QLabel>(Id::LanguageDescription)->text(), "Description: For tests");
}

TEST_F(SettingsDialogTest, WithNoStoredChoiceTheLanguageInUseIsShownAndKept) {
    // As at start-up in a Swedish locale: nothing stored, the locale's file loaded.
    ASSERT_TRUE(library.LoadLanguage(dir.file("lang/svenska.lng")));
    open();
    EXPECT_EQ(combo(Id::LanguageCombo)->currentText(), "svenska");
    press(Id::Ok);
    EXPECT_EQ(library.Settings.Language, "svenska");
    EXPECT_EQ(library.Translate("Settings"), "~Settings");
}

TEST_F(SettingsDialogTest, LoudIsAtTheTopAndColoursAreStoredAsTheyStand) {
    open();
    QSlider* volume = slider(Id::Volume);
    auto handleTop = [volume](int value) {
        volume->setValue(value);
        QStyleOptionSlider option;
        option.initFrom(volume);
        option.orientation = Qt::Vertical;
        option.minimum = volume->minimum();
        option.maximum = volume->maximum();
        option.sliderPosition = value;
        option.sliderValue = value;
        option.upsideDown = !volume->invertedAppearance();
        return volume->style()
            ->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, volume)
            .top();
    };
    EXPECT_LT(handleTop(0), handleTop(127));
    volume->setValue(0);
    press(Id::Apply);
    EXPECT_EQ(library.Settings.Volume, 127);
    volume->setValue(127);
    press(Id::Apply);
    EXPECT_EQ(library.Settings.Volume, 0);

    press(Id::ColorsButton);
    slider(Id::DotRed)->setValue(0);
    slider(Id::DotGreen)->setValue(128);
    slider(Id::DotBlue)->setValue(255);
    // The preview follows while the slider moves, before anything is applied.
    EXPECT_EQ(control<settings::ColourPreview>(Id::DotPreview)->colour(), QColor(0, 128, 255));
    slider(Id::NoteTextRed)->setValue(255);
    press(Id::Apply);
    EXPECT_EQ(library.Settings.Clrdots1, 0);
    EXPECT_EQ(library.Settings.Clrdots2, 128);
    EXPECT_EQ(library.Settings.Clrdots3, 255);
    EXPECT_EQ(library.Settings.dotsColor(), 0xFF8000u);
    EXPECT_EQ(library.Settings.Clrnotetext1, 255);
}

TEST_F(SettingsDialogTest, EveryControlMarksTheSettingsChangedAndApplyClearsTheMark) {
    open();
    const std::vector<std::pair<const char*, std::function<void()>>> changes = {
        {"left-handed", [&] { control<QRadioButton>(Id::LeftHanded)->click(); }},
        {"upside-down", [&] { control<QRadioButton>(Id::UpsideDownNeck)->click(); }},
        {"white", [&] { control<QRadioButton>(Id::WhiteBackground)->click(); }},
        {"play chords", [&] { control<QCheckBox>(Id::PlayChordsOnChange)->click(); }},
        {"all frets", [&] { control<QCheckBox>(Id::AllFretNotes)->click(); }},
        {"device", [&] { combo(Id::OutputDevice)->setCurrentIndex(1); }},
        {"instrument", [&] { combo(Id::Instrument)->setCurrentIndex(30); }},
        {"channel", [&] { combo(Id::Channel)->setCurrentIndex(9); }},
        {"speed", [&] { slider(Id::ChordSpeed)->setValue(50); }},
        {"decay", [&] { slider(Id::ChordDecay)->setValue(900); }},
        {"volume", [&] { slider(Id::Volume)->setValue(60); }},
        {"interval blue", [&] { slider(Id::IntervalBlue)->setValue(7); }},
        {"language", [&] { combo(Id::LanguageCombo)->setCurrentText("svenska2"); }},
    };
    for (const auto& [what, change] : changes) {
        dialog->apply(); // the button is off until something changes
        ASSERT_FALSE(library.Settings.SettingsChanged) << what;
        ASSERT_FALSE(applyEnabled()) << what;
        change();
        EXPECT_TRUE(library.Settings.SettingsChanged) << what;
        EXPECT_TRUE(applyEnabled()) << what;
    }
    // "Use default" has no function yet: it changes nothing.
    press(Id::Apply);
    control<QCheckBox>(Id::UseDefaultChordfile)->click();
    EXPECT_FALSE(applyEnabled());

    // Apply without a change does nothing at all.
    const int before = applied;
    press(Id::Apply);
    EXPECT_EQ(applied, before);

    const model::Settings& settings = library.Settings;
    EXPECT_TRUE(settings.Lefthanded);
    EXPECT_TRUE(settings.Upsidedownneck);
    EXPECT_TRUE(settings.Whitebackgroundcolor);
    EXPECT_TRUE(settings.Playchordsonchange);
    EXPECT_TRUE(settings.Displaynotesforallfrets);
    EXPECT_EQ(settings.Midioutdevice, 1);
    EXPECT_EQ(settings.Instrument, 30);
    EXPECT_EQ(settings.Midichannel, 9);
    EXPECT_EQ(settings.Chordspeed, 50);
    EXPECT_EQ(settings.Chorddecay, 900);
    EXPECT_EQ(settings.Volume, 67);
    EXPECT_EQ(settings.Clrintervaltext3, 7);
    EXPECT_EQ(settings.Language, "svenska2");
}

TEST_F(SettingsDialogTest, CancelKeepsTheRecordAndItsMark) {
    library.Settings.Instrument = 5;
    open();
    combo(Id::Instrument)->setCurrentIndex(6);
    press(Id::Cancel);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(library.Settings.Instrument, 5);
    EXPECT_TRUE(library.Settings.SettingsChanged);
    EXPECT_EQ(applied, 0);
}

TEST_F(SettingsDialogTest, ALanguageAppliedRetranslatesTheDialogAndADamagedOneKeepsTheTable) {
    open();
    combo(Id::LanguageCombo)->setCurrentText("svenska");
    press(Id::Apply);
    EXPECT_EQ(library.Translate("Settings"), "~Settings");
    EXPECT_EQ(dialog->windowTitle(), "~Settings");
    EXPECT_EQ(control<QPushButton>(Id::MidiButton)->text(), "~MIDI");
    EXPECT_EQ(control<QLabel>(Id::OutLabel)->text(), "~Out:");
    EXPECT_EQ(control<QLabel>(Id::LanguageName)->text(), "~Language: Svenska");
    EXPECT_TRUE(messages.empty());

    combo(Id::LanguageCombo)->setCurrentText("damaged");
    EXPECT_EQ(control<QLabel>(Id::LanguageName)->text(), "~Could not load the language file.");
    EXPECT_EQ(control<QLabel>(Id::LanguageAuthor)->text(), "");
    press(Id::Apply);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].message.text, "~Could not load the language file.");
    EXPECT_EQ(messages[0].message.caption, "~Error");
    EXPECT_EQ(messages[0].message.icon, uikit::MessageIcon::Exclamation);
    EXPECT_EQ(library.Translate("Settings"), "~Settings");
    EXPECT_EQ(library.Settings.Language, "damaged");
    EXPECT_EQ(applied, 2);

    combo(Id::LanguageCombo)->setCurrentIndex(0);
    press(Id::Apply);
    EXPECT_EQ(library.Translate("Settings"), "Settings");
    EXPECT_EQ(dialog->windowTitle(), "Settings");
}

TEST_F(SettingsDialogTest, SideButtonsShowOnePageAndItsTranslatedCaptions) {
    open();
    auto shown = [&](Id id) { return control<QWidget>(id)->isVisibleTo(dialog.get()); };
    EXPECT_TRUE(shown(Id::LanguageCombo));
    EXPECT_FALSE(shown(Id::OutputDevice));
    press(Id::MidiButton);
    EXPECT_EQ(dialog->currentPage(), Page::Midi);
    EXPECT_TRUE(control<QPushButton>(Id::MidiButton)->isChecked());
    EXPECT_FALSE(control<QPushButton>(Id::GeneralButton)->isChecked());
    EXPECT_TRUE(shown(Id::OutputDevice));
    EXPECT_FALSE(shown(Id::LanguageCombo));
    press(Id::MidiButton); // the page on show stays
    EXPECT_TRUE(control<QPushButton>(Id::MidiButton)->isChecked());
    EXPECT_TRUE(shown(Id::OutputDevice));

    press(Id::FretboardButton);
    EXPECT_TRUE(shown(Id::LeftHanded));
    EXPECT_FALSE(shown(Id::ChangeChordsToTuning));
    press(Id::ColorsButton);
    EXPECT_TRUE(shown(Id::DotPreview));
    EXPECT_FALSE(shown(Id::RandomColours));
    press(Id::TranslateButton);
    EXPECT_EQ(dialog->currentPage(), Page::Translate);
    EXPECT_FALSE(shown(Id::DotPreview));

    // Translated captions differ from those the controls are made with.
    EXPECT_EQ(control<QLabel>(Id::StartupChordfile)->text(), "Default");
    EXPECT_EQ(control<QCheckBox>(Id::UseDefaultChordfile)->text(), "Use Default");
    EXPECT_EQ(control<QGroupBox>(Id::NeckGroup)->title(), "Regular- / Upside-down neck");
    EXPECT_EQ(control<QGroupBox>(Id::HandednessGroup)->title(), "Right- / Left-Handed");
    EXPECT_EQ(control<QRadioButton>(Id::UpsideDownNeck)->text(), "Upside-down");
    EXPECT_EQ(control<QGroupBox>(Id::DotGroup)->title(),
              "Color of fretboard dots and drummer squares");
    EXPECT_EQ(control<QLabel>(Id::InLabel)->text(), "In:");
    EXPECT_EQ(control<QLabel>(Id::IntervalBlueLabel)->text(), "Blue");
    EXPECT_EQ(control<uikit::ImageButton>(Id::BrowseChordfile)->accessibleName(), "Browse");
    EXPECT_FALSE(control<uikit::ImageButton>(Id::BrowseChordfile)->isEnabled());
    EXPECT_EQ(control<settings::ColourPreview>(Id::NoteTextPreview)->accessibleName(),
              "Color of note text");
    EXPECT_EQ(slider(Id::IntervalGreen)->accessibleName(), "Color of interval text Green");
}

} // namespace
} // namespace strumvale::test
