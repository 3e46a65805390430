#include "resources/templates/main_dialog.h"

namespace strumvale::resources {
namespace {

using enum ControlKind;
using Id = MainDialogId;

constexpr ControlTemplate kControls[] = {
    {Id::DefaultButton,
     PushButton,
     "Exit",
     {285, 280, 50, 15},
     style::DefaultButton | style::Disabled | style::Hidden},
    {Id::Exit, ImageButton, "Exit", {340, 280, 55, 16}},
    {Id::Tabs, TabControl, "Tab1", {6, 30, 390, 245}},
    {Id::Open, ImageButton, "Open", {8, 2, 55, 25}},
    {Id::Save, ImageButton, "Save", {73, 2, 55, 25}},
    {Id::Print, ImageButton, "Print", {138, 2, 55, 25}},
    {Id::Settings, ImageButton, "Settings", {203, 2, 55, 25}},
    {Id::Help, ImageButton, "Help", {268, 2, 55, 25}},
    {Id::About, ImageButton, "About", {333, 2, 55, 25}},
    {Id::StatusLine, Static, "Error!", {26, 284, 246, 8}},
    {Id::Practice, PushButton, "Practice", {277, 280, 58, 16}},
    {Id::ChordfileInfo, ImageButton, "", {6, 280, 16, 16}},
    {kNoId, EtchedVerticalLine, "", {68, 4, 1, 22}},
    {kNoId, EtchedVerticalLine, "", {133, 4, 1, 22}},
    {kNoId, EtchedVerticalLine, "", {198, 4, 1, 22}},
    {kNoId, EtchedVerticalLine, "", {263, 4, 1, 22}},
    {kNoId, EtchedVerticalLine, "", {328, 4, 1, 22}},
};

constexpr DialogTemplate kTemplate{102, 400, 302, "", kControls};

} // namespace

const DialogTemplate& mainDialogTemplate() {
    return kTemplate;
}

} // namespace strumvale::resources
