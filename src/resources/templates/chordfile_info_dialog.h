#pragma once

#include "resources/dialog_template.h"

namespace strumvale::resources {

enum class ChordfileInfoId : int {
    Ok = 1,
    AuthorText = 1079,
    HomepageText = 1080,
    InfoText = 1081,
    StatisticsText = 1138,
    AuthorGroup = 1178,
    HomepageGroup = 1179,
    InfoGroup = 1180,
    StatisticsGroup = 1181,
};

const DialogTemplate& chordfileInfoDialogTemplate();

} // namespace strumvale::resources
