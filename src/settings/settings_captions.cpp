#include "library/chord_library.h"
#include "settings/colour_preview.h"
#include "settings/settings_dialog.h"
#include "settings/translation_editor.h"
#include "uikit/image_button.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QSlider>
#include <string_view>
#include <utility>

// The dialog's captions in the language in use. Some differ from the texts
// the controls are made with: the translated phrases are the newer ones.
namespace strumvale::settings {
namespace {

using Id = resources::SettingsId;

struct Caption {
    Id id;
    std::string_view key;
};

constexpr Caption kButtonCaptions[] = {
    {Id::Ok, "OK"},
    {Id::Cancel, "Cancel"},
    {Id::Apply, "Apply"},
    {Id::GeneralButton, "General"},
    {Id::MidiButton, "MIDI"},
    {Id::FretboardButton, "Fretboard"},
    {Id::ColorsButton, "Colors"},
    {Id::OtherButton, "Other"},
    {Id::TranslateButton, "Translate"},
    {Id::UseDefaultChordfile, "Use Default"},
    {Id::PlayChordsOnChange, "Play chords on change"},
    {Id::PlayNotesWhileEditing, "Play notes while editing"},
    {Id::TestOutput, "Test Output"},
    {Id::ResetDevice, "Reset Device"},
    {Id::RightHanded, "Right-Handed"},
    {Id::LeftHanded, "Left-Handed"},
    {Id::RegularNeck, "Regular"},
    {Id::UpsideDownNeck, "Upside-down"},
    {Id::AllFretNotes, "Display notes for all frets."},
    {Id::SystemBackground, "System"},
    {Id::WhiteBackground, "White"},
};

constexpr Caption kGroupCaptions[] = {
    {Id::StartupGroup, "Startup Chordfile"},
    {Id::LanguageGroup, "Language"},
    {Id::ChordsGroup, "Chords"},
    {Id::EditorGroup, "Editor"},
    {Id::DeviceGroup, "Device Settings"},
    {Id::InstrumentGroup, "Instrument"},
    {Id::ChannelGroup, "MIDI Channel"},
    {Id::HandednessGroup, "Right- / Left-Handed"},
    {Id::NeckGroup, "Regular- / Upside-down neck"},
    {Id::BackgroundGroup, "Background color of tabs"},
    {Id::DotGroup, "Color of fretboard dots and drummer squares"},
    {Id::IntervalGroup, "Color of interval text"},
    {Id::NoteTextGroup, "Color of note text"},
    {Id::TunerGroup, "Tuning"},
    {Id::WindowGroup, "Window"},
};

constexpr Caption kLabelCaptions[] = {
    {Id::StartupChordfile, "Default"},
    {Id::ChordSpeedLabel, "Chord Speed"},
    {Id::FastLabel, "Fast"},
    {Id::SlowLabel, "Slow"},
    {Id::ChordDecayLabel, "Chord Decay"},
    {Id::ShortLabel, "Short"},
    {Id::LongLabel, "Long"},
    {Id::VolumeLabel, "Volume"},
    {Id::HighLabel, "High"},
    {Id::LowLabel, "Low"},
    {Id::DotRedLabel, "Red"},
    {Id::DotGreenLabel, "Green"},
    {Id::DotBlueLabel, "Blue"},
    {Id::IntervalRedLabel, "Red"},
    {Id::IntervalGreenLabel, "Green"},
    {Id::IntervalBlueLabel, "Blue"},
    {Id::NoteTextRedLabel, "Red"},
    {Id::NoteTextGreenLabel, "Green"},
    {Id::NoteTextBlueLabel, "Blue"},
    {Id::ReferencePitchLabel, "Reference pitch A (Hz):"},
    {Id::WindowSizeLabel, "Window size:"},
    {Id::WindowSizeNote, "From the next start."},
};

// Controls without a caption of their own, named for screen readers.
constexpr Caption kAccessibleNames[] = {
    {Id::LanguageCombo, "Language"},  {Id::OutputDevice, "Out"},
    {Id::InputDevice, "In"},          {Id::Instrument, "Instrument"},
    {Id::Channel, "MIDI Channel"},    {Id::ChordSpeed, "Chord Speed"},
    {Id::ChordDecay, "Chord Decay"},  {Id::Volume, "Volume"},
    {Id::BrowseChordfile, "Browse"},  {Id::ReferencePitch, "Reference pitch A (Hz):"},
    {Id::WindowSize, "Window size:"},
};

struct ColourControls {
    Id group;
    Id preview;
    std::array<std::pair<Id, std::string_view>, 3> sliders;
};

constexpr ColourControls kColourControls[] = {
    {Id::DotGroup,
     Id::DotPreview,
     {{{Id::DotRed, "Red"}, {Id::DotGreen, "Green"}, {Id::DotBlue, "Blue"}}}},
    {Id::IntervalGroup,
     Id::IntervalPreview,
     {{{Id::IntervalRed, "Red"}, {Id::IntervalGreen, "Green"}, {Id::IntervalBlue, "Blue"}}}},
    {Id::NoteTextGroup,
     Id::NoteTextPreview,
     {{{Id::NoteTextRed, "Red"}, {Id::NoteTextGreen, "Green"}, {Id::NoteTextBlue, "Blue"}}}},
};

} // namespace

void SettingsDialog::retranslate() {
    setWindowTitle(translate("Settings"));
    translator_->retranslate();
    for (const auto& [id, key] : kButtonCaptions)
        control<QAbstractButton>(id)->setText(translate(key));
    for (const auto& [id, key] : kGroupCaptions)
        control<QGroupBox>(id)->setTitle(translate(key));
    for (const auto& [id, key] : kLabelCaptions)
        control<QLabel>(id)->setText(translate(key));
    control<QLabel>(Id::OutLabel)->setText(translate("Out") + ":");
    control<QLabel>(Id::InLabel)->setText(translate("In") + ":");
    for (const auto& [id, key] : kAccessibleNames)
        control<QWidget>(id)->setAccessibleName(translate(key));
    for (const ColourControls& colour : kColourControls) {
        const QString title = control<QGroupBox>(colour.group)->title();
        control<ColourPreview>(colour.preview)->setAccessibleName(title);
        for (const auto& [slider, key] : colour.sliders)
            control<QSlider>(slider)->setAccessibleName(title + " " + translate(key));
    }
}

} // namespace strumvale::settings
