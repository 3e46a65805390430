#pragma once

#include "resources/dialog_template.h"

namespace strumvale::resources {

enum class DrummerId : int {
    PatternCombo = 1049,
    InstrumentCombo = 1086,
    VolumeTrackbar = 1097,
    TrackList = 1106,
    PatternName = 1108,
    // Steps the tempo edit beside it.
    TempoUpDown = 1111,
    Remove = 1118,
    New = 1119,
    Play = 1120,
    Tempo = 1121,
    LoopPattern = 1122,
    DisableEditing = 1125,
    EnableEditing = 1126,
    Update = 1127,
    EditingDisabledNotice = 1135,
    EditPatternGroup = 1136,
    TrackSettingsGroup = 1158,
    CurrentPatternGroup = 1159,
    TrackLabel = 1160,
    VolumeLabel = 1161,
    InstrumentLabel = 1162,
    TempoLabel = 1163,
    BpmLabel = 1164,
};

const DialogTemplate& drummerPageTemplate();

} // namespace strumvale::resources
