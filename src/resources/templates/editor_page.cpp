#include "resources/templates/editor_page.h"

namespace strumvale::resources {
namespace {

using enum ControlKind;
using Id = EditorId;

constexpr ControlTemplate kControls[] = {
    {kNoId, GroupBox, "", {5, 5, 375, 220}, style::Hidden},
    {Id::ItemList, ListBox, "", {47, 129, 105, 91}},
    {Id::KeyList, ListBox, "", {10, 145, 30, 67}, style::Sorted},
    {Id::Update, PushButton, "Update", {160, 100, 60, 15}},
    {Id::Remove, PushButton, "Remove", {160, 157, 60, 15}},
    {Id::InformationGroup, GroupBox, "Chordfile Information", {230, 131, 145, 87}},
    {Id::AuthorOrIntervals, Edit, "", {235, 152, 135, 12}},
    {Id::HomepageOrDescription, Edit, "", {235, 177, 135, 12}},
    {Id::ChordfileDescription, Edit, "", {235, 201, 135, 12}},
    {Id::AuthorOrIntervalsLabel, Static, "Author:", {235, 142, 130, 8}},
    {Id::HomepageOrDescriptionLabel, Static, "Homepage:", {235, 166, 130, 8}},
    {Id::DescriptionLabel, Static, "Description:", {235, 191, 130, 8}},
    {Id::Play, PushButton, "Play", {315, 100, 55, 15}, style::Disabled},
    {Id::NewChordfile, PushButton, "New Chordfile", {160, 178, 60, 15}},
    {Id::NameEdit, Edit, "", {47, 101, 105, 12}},
    {Id::NameLabel, Static, "Name:", {8, 103, 35, 8}, style::RightAligned},
    {Id::TabLabel, Static, "Tab:", {8, 116, 35, 8}, style::RightAligned},
    {Id::TabLine, Static, "", {47, 116, 105, 8}},
    {Id::MoveUp, ImageButton, "", {160, 130, 20, 20}},
    {Id::MoveDown, ImageButton, "", {160, 200, 20, 20}},
    {Id::New, PushButton, "New", {230, 100, 60, 15}},
};

constexpr DialogTemplate kTemplate{106, 441, 286, "", kControls};

} // namespace

const DialogTemplate& editorPageTemplate() {
    return kTemplate;
}

} // namespace strumvale::resources
