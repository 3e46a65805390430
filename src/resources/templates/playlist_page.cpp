#include "resources/templates/playlist_page.h"

namespace strumvale::resources {
namespace {

using enum ControlKind;
using Id = PlaylistId;

constexpr ControlTemplate kControls[] = {
    {kNoId, GroupBox, "", {5, 5, 375, 220}, style::Hidden},
    {Id::ChordList, ListBox, "", {35, 115, 120, 107}},
    {Id::KeyList, ListBox, "", {10, 139, 20, 59}},
    {Id::Add, PushButton, "Add", {165, 115, 70, 15}},
    {Id::Playlist, ListBox, "", {245, 115, 110, 107}},
    {Id::AddSeparator, PushButton, "Add Separator", {165, 135, 70, 15}},
    {Id::Remove, PushButton, "Remove", {165, 155, 70, 15}},
    {Id::Play, PushButton, "Play", {310, 70, 70, 15}, style::Disabled},
    {Id::SongSheet, PushButton, "Song sheet", {310, 90, 70, 15}},
    {Id::MoveUp, ImageButton, "", {360, 115, 20, 20}},
    {Id::MoveDown, ImageButton, "", {360, 200, 20, 20}},
    {Id::Lyrics, Edit, "", {6, 68, 294, 37}, style::MultiLine | style::VerticalScroll},
};

constexpr DialogTemplate kTemplate{107, 401, 271, "", kControls};

} // namespace

const DialogTemplate& playlistPageTemplate() {
    return kTemplate;
}

} // namespace strumvale::resources
