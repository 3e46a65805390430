#pragma once

#include "resources/dialog_template.h"

namespace strumvale::resources {

enum class ScalesId : int {
    ScaleList = 1027,
    TuningCombo = 1030,
    NameLine = 1032,
    Description = 1033,
    Intervals = 1034,
    Play = 1050,
    KeyList = 1051,
    ShowIntervals = 1052,
    ShowNotes = 1053,
    TuningGroup = 1143,
    DisplayLabel = 1145,
    ScaleInformationGroup = 1146,
    NameLabel = 1147,
    IntervalsLabel = 1148,
    DescriptionLabel = 1149,
};

const DialogTemplate& scalesPageTemplate();

} // namespace strumvale::resources
