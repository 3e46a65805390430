#include "resources/templates/tuner_page.h"

namespace strumvale::resources {
namespace {

using enum ControlKind;
using Id = TunerId;

constexpr ControlTemplate kControls[] = {
    {kNoId, GroupBox, "", {5, 5, 375, 220}, style::Hidden},
    {Id::TuningCombo, DropDownList, "", {15, 21, 205, 125}},
    {Id::LoopNotes, CheckBox, "Loop notes when playing", {265, 135, 110, 10}},
    {Id::NoteLength, Trackbar, "Slider1", {15, 57, 200, 15}},
    {Id::Update, PushButton, "Update", {185, 199, 55, 15}},
    {Id::Remove, PushButton, "Remove", {245, 199, 55, 15}},
    {Id::TuningName, Edit, "", {20, 200, 160, 12}},
    {Id::TuningNameLabel, Static, "Tuning Name:", {20, 190, 160, 8}},
    {Id::String6Label, Static, "String 6 (E):", {25, 159, 50, 8}, style::Centred},
    {Id::String5Label, Static, "String 5 (A):", {80, 159, 50, 8}, style::Centred},
    {Id::String4Label, Static, "String 4 (D):", {135, 159, 50, 8}, style::Centred},
    {Id::String3Label, Static, "String 3 (G):", {192, 159, 50, 8}, style::Centred},
    {Id::String2Label, Static, "String 2 (B):", {247, 159, 50, 8}, style::Centred},
    {Id::String1Label, Static, "String 1 (E):", {303, 159, 50, 8}, style::Centred},
    {Id::String6Note, DropDownList, "", {25, 170, 50, 122}},
    {Id::String5Note, DropDownList, "", {80, 170, 50, 122}},
    {Id::String4Note, DropDownList, "", {135, 170, 50, 122}},
    {Id::String3Note, DropDownList, "", {192, 170, 50, 122}},
    {Id::String2Note, DropDownList, "", {247, 170, 50, 122}},
    {Id::String1Note, DropDownList, "", {303, 170, 50, 122}},
    {kNoId, EtchedHorizontalLine, "", {10, 150, 364, 1}},
    {Id::String6Play, ImageButton, "", {260, 114, 15, 15}},
    {Id::String5Play, ImageButton, "", {277, 114, 15, 15}},
    {Id::String4Play, ImageButton, "", {294, 114, 15, 15}},
    {Id::String3Play, ImageButton, "", {311, 114, 15, 15}},
    {Id::String2Play, ImageButton, "", {328, 114, 15, 15}},
    {Id::String1Play, ImageButton, "", {345, 114, 15, 15}},
    {kNoId, EtchedVerticalLine, "", {240, 11, 1, 135}},
    {Id::TuningGroup, GroupBox, "Tuning", {10, 11, 215, 30}},
    {Id::EnableEditing, RadioButton, "Enable editing", {130, 130, 90, 10}, style::GroupStart},
    {Id::DisableEditing, RadioButton, "Disable editing", {20, 130, 100, 10}},
    {Id::New, PushButton, "New", {305, 199, 55, 15}},
    {Id::ShortLabel, Static, "Short", {15, 74, 70, 10}},
    {Id::LongLabel, Static, "Long", {155, 74, 65, 10}, style::RightAligned},
    {Id::NoteLengthGroup, GroupBox, "Note Length", {10, 47, 215, 40}},
    {Id::EditingDisabledNotice,
     Static,
     "Editing of Tunings is currently disabled.",
     {15, 182, 355, 8},
     style::Centred},
    {Id::DisplayGroup, GroupBox, "Display", {10, 94, 215, 51}},
    {Id::ShowNotes, RadioButton, "Notes", {20, 107, 100, 10}, style::GroupStart},
    {Id::ShowNumbers, RadioButton, "Numbers", {130, 107, 90, 10}},
};

constexpr DialogTemplate kTemplate{105, 441, 251, "", kControls};

} // namespace

const DialogTemplate& tunerPageTemplate() {
    return kTemplate;
}

} // namespace strumvale::resources
