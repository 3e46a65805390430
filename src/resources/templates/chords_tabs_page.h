#pragma once

#include "resources/dialog_template.h"

namespace strumvale::resources {

enum class ChordsTabsId : int {
    ChordList = 1009,
    TabLine = 1010,
    NotesLine = 1011,
    SearchText = 1014,
    ShowResult = 1027,
    Play = 1029,
    TuningCombo = 1030,
    SearchButton = 1031,
    CopyTabButton = 1032,
    KeyList = 1054,
    ShowNotes = 1139,
    HideNotes = 1140,
    NotesLabel = 1141,
    ChordInformationGroup = 1142,
    TuningGroup = 1143,
    SearchGroup = 1144,
    AddToList = 1166,
};

const DialogTemplate& chordsTabsPageTemplate();

} // namespace strumvale::resources
