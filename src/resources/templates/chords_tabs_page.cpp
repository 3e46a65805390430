#include "resources/templates/chords_tabs_page.h"

namespace strumvale::resources {
namespace {

using enum ControlKind;
using Id = ChordsTabsId;

constexpr ControlTemplate kControls[] = {
    {kNoId, GroupBox, "", {5, 5, 375, 220}, style::Hidden},
    {Id::ChordList, ListBox, "", {35, 115, 120, 107}},
    {Id::ChordInformationGroup, GroupBox, "Chord Information", {160, 113, 154, 44}},
    {Id::Play, PushButton, "Play", {319, 139, 55, 15}},
    {Id::TabLine, Static, "", {165, 127, 145, 8}},
    {Id::SearchText, Edit, "", {165, 203, 115, 12}},
    {Id::SearchGroup, GroupBox, "Search", {160, 192, 215, 30}},
    {Id::TuningCombo, DropDownList, "", {165, 171, 205, 91}},
    {Id::TuningGroup, GroupBox, "Tuning", {160, 160, 215, 30}},
    {Id::SearchButton, ImageButton, "", {265, 201, 16, 16}, style::Hidden},
    {Id::CopyTabButton, ImageButton, "", {287, 201, 16, 16}},
    {Id::NotesLine, Static, "", {165, 143, 145, 8}},
    {Id::KeyList, ListBox, "", {10, 139, 20, 59}},
    {Id::ShowResult, CheckBox, "Show Result", {310, 202, 60, 15}},
    {Id::ShowNotes, RadioButton, "Show", {112, 102, 40, 10}, style::GroupStart},
    {Id::HideNotes, RadioButton, "Hide", {66, 102, 40, 10}},
    {Id::NotesLabel, Static, "Notes:", {12, 103, 45, 8}, style::RightAligned},
    {Id::AddToList, PushButton, "Add to List", {319, 120, 55, 15}},
};

constexpr DialogTemplate kTemplate{101, 436, 266, "", kControls};

} // namespace

const DialogTemplate& chordsTabsPageTemplate() {
    return kTemplate;
}

} // namespace strumvale::resources
