#pragma once

#include "resources/dialog_template.h"

namespace strumvale::resources {

enum class TunerId : int {
    String6Note = 1015,
    String5Note = 1016,
    String4Note = 1017,
    String3Note = 1018,
    String2Note = 1019,
    String1Note = 1020,
    NoteLength = 1026,
    TuningCombo = 1030,
    ShowNotes = 1053,
    TuningName = 1107,
    String5Play = 1111,
    String4Play = 1112,
    String3Play = 1113,
    String2Play = 1114,
    String1Play = 1115,
    Remove = 1118,
    New = 1119,
    LoopNotes = 1122,
    String6Play = 1124,
    DisableEditing = 1125,
    EnableEditing = 1126,
    Update = 1127,
    String6Label = 1128,
    String5Label = 1129,
    String4Label = 1130,
    String3Label = 1131,
    String2Label = 1132,
    String1Label = 1133,
    TuningNameLabel = 1134,
    EditingDisabledNotice = 1135,
    TuningGroup = 1143,
    ShortLabel = 1146,
    LongLabel = 1147,
    NoteLengthGroup = 1155,
    DisplayGroup = 1156,
    ShowNumbers = 1157,
};

const DialogTemplate& tunerPageTemplate();

} // namespace strumvale::resources
