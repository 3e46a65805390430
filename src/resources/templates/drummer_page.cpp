#include "resources/templates/drummer_page.h"

namespace strumvale::resources {
namespace {

using enum ControlKind;
using Id = DrummerId;

constexpr ControlTemplate kControls[] = {
    {kNoId, GroupBox, "", {5, 5, 375, 220}, style::Hidden},
    {Id::InstrumentCombo, DropDownList, "", {90, 150, 94, 82}},
    {Id::InstrumentLabel, Static, "Instrument:", {90, 135, 40, 8}},
    {Id::VolumeTrackbar, Trackbar, "Slider1", {60, 145, 20, 68}, style::Vertical},
    {Id::VolumeLabel, Static, "Volume:", {55, 135, 30, 8}},
    {Id::PatternCombo, DropDownList, "", {205, 130, 165, 73}},
    {Id::Play, PushButton, "Play", {310, 147, 60, 15}},
    {Id::TrackList, ListBox, "", {15, 145, 35, 67}, style::Sorted},
    {Id::LoopPattern, CheckBox, "Loop Pattern", {210, 150, 85, 10}},
    {Id::TempoLabel, Static, "Tempo:", {95, 172, 30, 10}},
    {Id::Tempo, Edit, "", {125, 170, 30, 12}},
    {Id::TempoUpDown, UpDown, "Spin1", {153, 167, 11, 15}},
    {Id::BpmLabel, Static, "bpm", {159, 172, 29, 10}},
    {Id::Update, PushButton, "Update", {208, 200, 50, 15}},
    {Id::Remove, PushButton, "Remove", {263, 200, 50, 15}},
    {Id::TrackSettingsGroup, GroupBox, "Track Settings", {10, 120, 185, 100}},
    {Id::EditPatternGroup, GroupBox, "Edit Pattern", {200, 170, 175, 50}},
    {Id::PatternName, Edit, "", {205, 182, 165, 12}},
    {Id::New, PushButton, "New", {318, 200, 50, 15}},
    {Id::CurrentPatternGroup, GroupBox, "Current Pattern", {200, 120, 175, 45}},
    {Id::TrackLabel, Static, "Track Nr:", {15, 135, 31, 8}},
    {Id::EnableEditing, RadioButton, "Enable editing", {95, 205, 90, 10}, style::GroupStart},
    {Id::DisableEditing, RadioButton, "Disable editing", {95, 190, 90, 10}},
    {Id::EditingDisabledNotice,
     Static,
     "Editing of Patterns is currently disabled.",
     {205, 190, 165, 8},
     style::Centred},
};

constexpr DialogTemplate kTemplate{104, 426, 291, "", kControls};

} // namespace

const DialogTemplate& drummerPageTemplate() {
    return kTemplate;
}

} // namespace strumvale::resources
