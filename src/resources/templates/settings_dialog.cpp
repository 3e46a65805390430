#include "resources/templates/settings_dialog.h"

#include <cstddef>
#include <iterator>

namespace strumvale::resources {
namespace {

using enum ControlKind;
using Id = SettingsId;

constexpr int kWidth = 332;
constexpr int kHeight = 251;
constexpr std::uint32_t px = style::ClientPixels;

// The frame leaves the pages the client area right of x = 150 pixels
// (100 units) and above y = 350 pixels (216 units).
constexpr ControlTemplate kFrame[] = {
    {Id::Ok, PushButton, "OK", {167, 230, 50, 14}, style::DefaultButton},
    {Id::Cancel, PushButton, "Cancel", {222, 230, 50, 14}},
    {Id::Apply, PushButton, "Apply", {277, 230, 50, 14}},
    {kNoId, Picture, "", {5, 5, 85, 241}},
    {Id::GeneralButton, PushButton, "General", {10, 12, 75, 20}},
    {Id::MidiButton, PushButton, "Output", {10, 37, 75, 20}},
    {Id::FretboardButton, PushButton, "Fretboard", {10, 62, 75, 20}},
    {Id::ColorsButton, PushButton, "Colors", {10, 87, 75, 20}},
    // Hidden, so it sits last in the column to leave no gap.
    {Id::OtherButton, PushButton, "Other", {10, 137, 75, 20}, style::Hidden},
    {Id::TranslateButton, PushButton, "Translate", {10, 112, 75, 20}},
};

// The check boxes reach the width of their groups: their captions are long
// in other languages.
constexpr ControlTemplate kGeneral[] = {
    {Id::StartupGroup, GroupBox, "Startup Chordfile", rectFromEdges(150, 10, 480, 80), px},
    {Id::StartupChordfile, Static, "Using default chordfile, press browse to use another.  >>>",
     rectFromEdges(160, 32, 430, 47), px},
    {Id::BrowseChordfile, ImageButton, "", rectFromEdges(440, 25, 470, 50), px | style::Disabled},
    {Id::UseDefaultChordfile, CheckBox, "Use default", rectFromEdges(160, 55, 300, 70),
     px | style::Checked},
    {Id::LanguageGroup, GroupBox, "Language", rectFromEdges(150, 90, 480, 220), px},
    {Id::LanguageCombo, DropDownList, "", rectFromEdges(160, 110, 470, 122), px},
    {Id::LanguageName, Static, "Language:", rectFromEdges(165, 140, 470, 160), px},
    {Id::LanguageAuthor, Static, "Author:", rectFromEdges(165, 160, 470, 180), px},
    {Id::LanguageVersion, Static, "Created for version:", rectFromEdges(165, 180, 470, 200), px},
    {Id::LanguageDescription, Static, "Description:", rectFromEdges(165, 200, 470, 218), px},
    {Id::ChordsGroup, GroupBox, "Chords", rectFromEdges(150, 230, 480, 280), px},
    {Id::PlayChordsOnChange, CheckBox, "Play chords on change", rectFromEdges(160, 250, 470, 265),
     px},
    {Id::EditorGroup, GroupBox, "Editor", rectFromEdges(150, 290, 480, 340), px},
    {Id::PlayNotesWhileEditing, CheckBox, "Play notes while editing",
     rectFromEdges(160, 310, 470, 325), px | style::Disabled},
};

// "High" and "Low" end at the window's right edge (498 pixels), where the
// window clips them anyway. The three slider captions are wider than the
// sliders' columns, centred on the sliders, so that longer words fit.
constexpr ControlTemplate kMidi[] = {
    {Id::DeviceGroup, GroupBox, "Device Settings", rectFromEdges(150, 10, 480, 120), px},
    {Id::OutLabel, Static, "Out:", rectFromEdges(160, 34, 195, 46), px | style::RightAligned},
    {Id::OutputDevice, DropDownList, "", rectFromEdges(200, 30, 470, 42), px},
    {Id::InLabel, Static, "In:", rectFromEdges(160, 64, 195, 76), px | style::RightAligned},
    {Id::InputDevice, DropDownList, "", rectFromEdges(200, 60, 470, 72), px | style::Disabled},
    {Id::TestOutput, PushButton, "Test Output", rectFromEdges(200, 90, 310, 115),
     px | style::Disabled},
    {Id::ResetDevice, PushButton, "Reset Device", rectFromEdges(360, 90, 470, 115),
     px | style::Disabled},
    {Id::InstrumentGroup, GroupBox, "Instrument", rectFromEdges(150, 130, 370, 180), px},
    {Id::Instrument, DropDownList, "", rectFromEdges(160, 150, 360, 162), px},
    {Id::ChannelGroup, GroupBox, "MIDI Channel", rectFromEdges(380, 130, 480, 180), px},
    {Id::Channel, DropDownList, "", rectFromEdges(400, 150, 455, 162), px},
    {Id::ChordSpeedLabel, Static, "Chord Speed", rectFromEdges(140, 190, 250, 210),
     px | style::Centred},
    {Id::FastLabel, Static, "Fast", rectFromEdges(215, 220, 285, 240), px},
    {Id::SlowLabel, Static, "Slow", rectFromEdges(215, 335, 285, 350), px},
    {Id::ChordSpeed, Trackbar, "", rectFromEdges(180, 220, 210, 350), px | style::Vertical},
    {Id::ChordDecayLabel, Static, "Chord Decay", rectFromEdges(250, 190, 360, 210),
     px | style::Centred},
    {Id::ShortLabel, Static, "Short", rectFromEdges(325, 220, 395, 240), px},
    {Id::LongLabel, Static, "Long", rectFromEdges(325, 335, 395, 350), px},
    {Id::ChordDecay, Trackbar, "", rectFromEdges(290, 220, 320, 350), px | style::Vertical},
    {Id::VolumeLabel, Static, "Volume", rectFromEdges(360, 190, 470, 210), px | style::Centred},
    {Id::HighLabel, Static, "High", rectFromEdges(435, 220, 498, 240), px},
    {Id::LowLabel, Static, "Low", rectFromEdges(435, 335, 498, 350), px},
    {Id::Volume, Trackbar, "", rectFromEdges(400, 220, 430, 350), px | style::Vertical},
};

constexpr ControlTemplate kFretboard[] = {
    {Id::HandednessGroup, GroupBox, "Right- / Left-handed", rectFromEdges(150, 10, 480, 60), px},
    {Id::RightHanded, RadioButton, "Right-Handed", rectFromEdges(180, 32, 320, 47),
     px | style::GroupStart},
    {Id::LeftHanded, RadioButton, "Left-Handed", rectFromEdges(330, 32, 470, 47), px},
    {Id::NeckGroup, GroupBox, "Regular / Upside-down neck", rectFromEdges(150, 80, 480, 130), px},
    {Id::RegularNeck, RadioButton, "Regular", rectFromEdges(180, 102, 320, 117),
     px | style::GroupStart},
    {Id::UpsideDownNeck, RadioButton, "Upside-Down", rectFromEdges(330, 102, 470, 117), px},
    {Id::AllFretNotes, CheckBox, "Display notes for all frets.", rectFromEdges(160, 150, 480, 165),
     px},
    {Id::ChangeChordsToTuning, CheckBox, "Change the chords according to tuning. (Experimental)",
     rectFromEdges(150, 185, 480, 200), px | style::Checked | style::Hidden},
    // The pitch the tuner and the chord check hear against.
    {Id::TunerGroup, GroupBox, "Tuning", rectFromEdges(150, 215, 480, 265), px},
    {Id::ReferencePitchLabel, Static, "Reference pitch A (Hz):", rectFromEdges(160, 237, 380, 252),
     px},
    {Id::ReferencePitch, UpDown, "", rectFromEdges(390, 234, 470, 254), px},
    // The size the main window is drawn at, for a large screen.
    {Id::WindowGroup, GroupBox, "Window", rectFromEdges(150, 275, 480, 345), px},
    {Id::WindowSizeLabel, Static, "Window size:", rectFromEdges(160, 297, 380, 312), px},
    {Id::WindowSize, DropDownList, "", rectFromEdges(390, 294, 470, 306), px},
    {Id::WindowSizeNote, Static, "From the next start.", rectFromEdges(160, 320, 470, 335), px},
};

constexpr ControlTemplate kColors[] = {
    {Id::BackgroundGroup, GroupBox, "Background color of tabs", rectFromEdges(150, 10, 480, 60),
     px},
    {Id::SystemBackground, RadioButton, "System", rectFromEdges(180, 32, 320, 47),
     px | style::GroupStart},
    {Id::WhiteBackground, RadioButton, "White", rectFromEdges(330, 32, 470, 47), px},
    {Id::DotGroup, GroupBox, "Color of fretboard dots", rectFromEdges(150, 80, 480, 150), px},
    {Id::DotRedLabel, Static, "Red", rectFromEdges(170, 100, 240, 120), px | style::Centred},
    {Id::DotGreenLabel, Static, "Green", rectFromEdges(250, 100, 320, 120), px | style::Centred},
    {Id::DotBlueLabel, Static, "Blue", rectFromEdges(330, 100, 400, 120), px | style::Centred},
    {Id::DotRed, Trackbar, "", rectFromEdges(170, 125, 240, 145), px},
    {Id::DotGreen, Trackbar, "", rectFromEdges(250, 125, 320, 145), px},
    {Id::DotBlue, Trackbar, "", rectFromEdges(330, 125, 400, 145), px},
    {Id::DotPreview, Static, "", rectFromEdges(420, 100, 460, 135), px | style::Framed},
    {Id::IntervalGroup, GroupBox, "Color of interval text", rectFromEdges(150, 170, 480, 240), px},
    {Id::IntervalRedLabel, Static, "Red", rectFromEdges(170, 190, 240, 210), px | style::Centred},
    {Id::IntervalGreenLabel, Static, "Green", rectFromEdges(250, 190, 320, 210),
     px | style::Centred},
    {Id::IntervalBlueLabel, Static, "Blue", rectFromEdges(330, 190, 400, 210), px | style::Centred},
    {Id::IntervalRed, Trackbar, "", rectFromEdges(170, 215, 240, 235), px},
    {Id::IntervalGreen, Trackbar, "", rectFromEdges(250, 215, 320, 235), px},
    {Id::IntervalBlue, Trackbar, "", rectFromEdges(330, 215, 400, 235), px},
    {Id::IntervalPreview, Static, "", rectFromEdges(420, 190, 460, 225), px | style::Framed},
    {Id::NoteTextGroup, GroupBox, "Color of note text", rectFromEdges(150, 260, 480, 330), px},
    {Id::NoteTextRedLabel, Static, "Red", rectFromEdges(170, 280, 240, 300), px | style::Centred},
    {Id::NoteTextGreenLabel, Static, "Green", rectFromEdges(250, 280, 320, 300),
     px | style::Centred},
    {Id::NoteTextBlueLabel, Static, "Blue", rectFromEdges(330, 280, 400, 300), px | style::Centred},
    {Id::NoteTextRed, Trackbar, "", rectFromEdges(170, 305, 240, 325), px},
    {Id::NoteTextGreen, Trackbar, "", rectFromEdges(250, 305, 320, 325), px},
    {Id::NoteTextBlue, Trackbar, "", rectFromEdges(330, 305, 400, 325), px},
    {Id::NoteTextPreview, Static, "", rectFromEdges(420, 280, 460, 315), px | style::Framed},
    {Id::RandomColours, CheckBox, "Use random colors for some stuff.",
     rectFromEdges(150, 330, 480, 345), px | style::Checked | style::Hidden},
};

constexpr DialogTemplate kTemplate{133, kWidth, kHeight, "Settings", kFrame};
constexpr DialogTemplate kPages[] = {
    {133, kWidth, kHeight, "", kGeneral},   {133, kWidth, kHeight, "", kMidi},
    {133, kWidth, kHeight, "", kFretboard}, {133, kWidth, kHeight, "", kColors},
    {133, kWidth, kHeight, "", {}},
};

} // namespace

const DialogTemplate& settingsDialogTemplate() {
    return kTemplate;
}

const DialogTemplate& settingsPageTemplate(SettingsPage page) {
    const auto index = static_cast<std::size_t>(page);
    return index < std::size(kPages) ? kPages[index] : kPages[std::size(kPages) - 1];
}

} // namespace strumvale::resources
