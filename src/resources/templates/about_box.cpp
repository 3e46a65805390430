#include "resources/templates/about_box.h"

namespace strumvale::resources {
namespace {

using enum ControlKind;
using Id = AboutBoxId;

constexpr ControlTemplate kControls[] = {
    {Id::Ok, PushButton, "OK", {156, 190, 60, 15}, style::DefaultButton},
    {Id::Cancel, PushButton, "Cancel", {0, 0, 50, 14}, style::Hidden},
    {Id::Logo, Picture, "", {7, 5, 207, 62}},
    {Id::Notice, Static, "", {5, 70, 205, 20}, style::Centred},
    {Id::Credits,
     Edit,
     "",
     {8, 107, 205, 40},
     style::MultiLine | style::Centred | style::ReadOnly | style::Border | style::VerticalScroll},
    {kNoId, Static, "Contact:", {5, 152, 205, 9}, style::Centred},
    {Id::WebLink, LinkLabel, "", {5, 162, 205, 9}, style::Centred},
    {Id::SupportLink, LinkLabel, "", {5, 172, 205, 9}, style::Centred},
    {kNoId, EtchedHorizontalLine, "", {5, 185, 213, 1}},
    {Id::CheckForUpdate, ImageButton, "Check for update", {7, 190, 95, 15}},
};

constexpr DialogTemplate kTemplate{153, 222, 210, "", kControls};

} // namespace

const DialogTemplate& aboutBoxTemplate() {
    return kTemplate;
}

} // namespace strumvale::resources
