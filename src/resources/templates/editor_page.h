#pragma once

#include "resources/dialog_template.h"

namespace strumvale::resources {

// The three edits of the information panel serve the chordfile (author, home
// page, description) or the shown scale (intervals, description), by mode.
enum class EditorId : int {
    ItemList = 1009,
    MoveDown = 1051,
    KeyList = 1054,
    AuthorOrIntervalsLabel = 1079,
    HomepageOrDescriptionLabel = 1080,
    ChordfileDescription = 1109,
    NameEdit = 1112,
    AuthorOrIntervals = 1115,
    HomepageOrDescription = 1116,
    Update = 1117,
    Remove = 1118,
    New = 1119,
    Play = 1120,
    TabLine = 1138,
    // Labels the chordfile description, or carries the scale panel's notice.
    DescriptionLabel = 1172,
    InformationGroup = 1173,
    TabLabel = 1174,
    MoveUp = 1175,
    NewChordfile = 1176,
    NameLabel = 1177,
};

const DialogTemplate& editorPageTemplate();

} // namespace strumvale::resources
