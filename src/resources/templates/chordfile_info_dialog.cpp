#include "resources/templates/chordfile_info_dialog.h"

namespace strumvale::resources {
namespace {

using enum ControlKind;
using Id = ChordfileInfoId;

constexpr ControlTemplate kControls[] = {
    {Id::Ok, PushButton, "OK", {195, 180, 50, 14}, style::DefaultButton},
    {Id::AuthorGroup, GroupBox, "Author", {5, 5, 240, 25}},
    {Id::HomepageGroup, GroupBox, "Homepage", {5, 40, 240, 25}},
    {Id::InfoGroup, GroupBox, "Other Information", {5, 75, 240, 40}},
    {Id::StatisticsGroup, GroupBox, "Chordfile Statistics", {5, 120, 240, 55}},
    {Id::AuthorText, Static, "", {10, 15, 230, 8}, style::Centred},
    {Id::HomepageText, Static, "", {10, 51, 230, 8}, style::Centred},
    {Id::InfoText, Static, "", {10, 85, 230, 25}},
    {Id::StatisticsText, Static, "", {10, 133, 230, 35}},
};

constexpr DialogTemplate kTemplate{156, 252, 199, "", kControls};

} // namespace

const DialogTemplate& chordfileInfoDialogTemplate() {
    return kTemplate;
}

} // namespace strumvale::resources
