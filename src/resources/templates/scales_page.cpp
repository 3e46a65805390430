#include "resources/templates/scales_page.h"

namespace strumvale::resources {
namespace {

using enum ControlKind;
using Id = ScalesId;

// The scale texts sit a little closer than they once did, so that a
// description keeps room for its second line inside the group.
constexpr ControlTemplate kControls[] = {
    {kNoId, GroupBox, "", {5, 5, 375, 220}, style::Hidden},
    {Id::ScaleList, ListBox, "", {45, 115, 120, 107}},
    {Id::ScaleInformationGroup, GroupBox, "Scale Information", {170, 113, 205, 75}},
    {Id::NameLine, Static, "", {180, 133, 190, 8}},
    {Id::Description, Static, "", {180, 171, 190, 16}},
    {Id::TuningGroup, GroupBox, "Tuning", {170, 192, 205, 30}},
    {Id::TuningCombo, DropDownList, "", {176, 203, 194, 100}},
    {Id::Intervals, Static, "", {180, 152, 185, 8}},
    {Id::KeyList, ListBox, "", {10, 120, 30, 99}},
    {Id::DisplayLabel, Static, "Display:", {16, 103, 55, 8}, style::RightAligned},
    {Id::ShowIntervals, RadioButton, "Intervals", {77, 102, 45, 10}, style::GroupStart},
    {Id::ShowNotes, RadioButton, "Notes", {127, 102, 45, 10}},
    {Id::Play, PushButton, "Play", {305, 249, 60, 15}, style::Hidden},
    {Id::NameLabel, Static, "Name:", {175, 124, 190, 8}},
    {Id::IntervalsLabel, Static, "Intervals:", {175, 143, 195, 8}},
    {Id::DescriptionLabel, Static, "Description:", {175, 162, 195, 8}},
};

constexpr DialogTemplate kTemplate{103, 456, 271, "", kControls};

} // namespace

const DialogTemplate& scalesPageTemplate() {
    return kTemplate;
}

} // namespace strumvale::resources
