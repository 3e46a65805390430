#pragma once

#include "resources/dialog_template.h"

namespace strumvale::resources {

enum class MainDialogId : int {
    DefaultButton = 1,
    Exit = 2,
    Tabs = 1000,
    Print = 1002,
    Settings = 1003,
    Help = 1004,
    About = 1005,
    Open = 1008,
    StatusLine = 1028,
    ChordfileInfo = 1078,
    Save = 1195,
    Practice = 1300,
};

const DialogTemplate& mainDialogTemplate();

} // namespace strumvale::resources
