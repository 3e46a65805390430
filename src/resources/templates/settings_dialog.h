#pragma once

#include "resources/dialog_template.h"

namespace strumvale::resources {

// Ids of the settings window: its frame and the controls of its pages, which
// share the one window and so never share an id. The Translate page has its
// own enum (translation_editor.h).
enum class SettingsId : int {
    Ok = 1,
    Cancel = 2,
    UseDefaultChordfile = 666,
    // Side buttons choosing the page.
    GeneralButton = 1002,
    MidiButton = 1003,
    FretboardButton = 1004,
    ColorsButton = 1005,
    OtherButton = 1006,
    TranslateButton = 1007,
    StartupChordfile = 1028,
    LanguageCombo = 1057,
    OutputDevice = 1058,
    RightHanded = 1059,
    LeftHanded = 1060,
    NeckGroup = 1062,
    InstrumentGroup = 1063,
    VolumeLabel = 1064,
    LanguageGroup = 1065,
    DeviceGroup = 1066,
    ChannelGroup = 1067,
    ChordSpeedLabel = 1068,
    ChordDecayLabel = 1069,
    StartupGroup = 1070,
    Apply = 1076,
    Instrument = 1086,
    BrowseChordfile = 1087,
    HandednessGroup = 1088,
    AllFretNotes = 1089,
    ChangeChordsToTuning = 1090,
    BackgroundGroup = 1091,
    RandomColours = 1092,
    ChordSpeed = 1095,
    ChordDecay = 1096,
    Volume = 1097,
    RegularNeck = 1098,
    UpsideDownNeck = 1099,
    WhiteBackground = 1100,
    SystemBackground = 1101,
    DotGroup = 1102,
    IntervalGroup = 1103,
    Channel = 1137,
    EditorGroup = 1139,
    ChordsGroup = 1140,
    PlayChordsOnChange = 1141,
    TestOutput = 1142,
    ResetDevice = 1143,
    FastLabel = 1144,
    SlowLabel = 1145,
    ShortLabel = 1146,
    LongLabel = 1147,
    HighLabel = 1148,
    LowLabel = 1149,
    DotRed = 1150,
    DotRedLabel = 1151,
    DotGreen = 1152,
    DotGreenLabel = 1153,
    DotBlue = 1154,
    DotBlueLabel = 1155,
    DotPreview = 1156,
    NoteTextGroup = 1157,
    IntervalRed = 1158,
    IntervalRedLabel = 1159,
    IntervalGreen = 1160,
    IntervalGreenLabel = 1161,
    IntervalBlue = 1162,
    IntervalBlueLabel = 1163,
    IntervalPreview = 1164,
    NoteTextRed = 1165,
    NoteTextRedLabel = 1166,
    NoteTextGreen = 1167,
    NoteTextGreenLabel = 1168,
    NoteTextBlue = 1169,
    NoteTextBlueLabel = 1170,
    NoteTextPreview = 1171,
    PlayNotesWhileEditing = 1172,
    LanguageVersion = 1173,
    LanguageName = 1174,
    LanguageAuthor = 1175,
    LanguageDescription = 1176,
    InputDevice = 1190,
    OutLabel = 1191,
    InLabel = 1192,
    TunerGroup = 1210,
    ReferencePitchLabel = 1211,
    ReferencePitch = 1212,
    WindowGroup = 1213,
    WindowSizeLabel = 1214,
    WindowSize = 1215,
    WindowSizeNote = 1216,
};

// The pages chosen by the side buttons, in their order; Translate is the
// translation editor.
enum class SettingsPage : int { General, Midi, Fretboard, Colors, Other };

// The window's frame: OK, Cancel, Apply, the picture panel and the side buttons.
const DialogTemplate& settingsDialogTemplate();

// One page's controls, in client pixels of the settings window and of its
// size; each is built into the same window after the frame, with
// DialogSizing::Child.
const DialogTemplate& settingsPageTemplate(SettingsPage page);

} // namespace strumvale::resources
