#pragma once

#include "resources/dialog_template.h"

namespace strumvale::resources {

enum class PlaylistId : int {
    MoveUp = 1002,
    MoveDown = 1003,
    ChordList = 1105,
    KeyList = 1106,
    Lyrics = 1108,
    Add = 1117,
    Remove = 1118,
    Play = 1120,
    SongSheet = 1121,
    Playlist = 1154,
    AddSeparator = 1167,
};

const DialogTemplate& playlistPageTemplate();

} // namespace strumvale::resources
