#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <type_traits>

// Dialog layouts as plain data: every window of the program is described by one
// table of controls in dialog units, and one user-interface function turns a
// table into widgets. Kept free of any toolkit so the layouts can be checked
// without one.
namespace strumvale::resources {

enum class ControlKind : std::uint8_t {
    PushButton,
    ImageButton,
    Static,
    GroupBox,
    Edit,
    ListBox,
    DropDownList,
    CheckBox,
    RadioButton,
    TabControl,
    Trackbar,
    UpDown,
    EtchedHorizontalLine,
    EtchedVerticalLine,
    Picture,
    LinkLabel,
};

// Initial state and look; several combine.
namespace style {
inline constexpr std::uint32_t None = 0;
inline constexpr std::uint32_t Hidden = 1u << 0;
inline constexpr std::uint32_t Disabled = 1u << 1;
inline constexpr std::uint32_t DefaultButton = 1u << 2;
inline constexpr std::uint32_t Centred = 1u << 3;
inline constexpr std::uint32_t RightAligned = 1u << 4;
inline constexpr std::uint32_t MultiLine = 1u << 5;
inline constexpr std::uint32_t ReadOnly = 1u << 6;
inline constexpr std::uint32_t Border = 1u << 7;
inline constexpr std::uint32_t VerticalScroll = 1u << 8;
inline constexpr std::uint32_t Sorted = 1u << 9;
inline constexpr std::uint32_t Vertical = 1u << 10;
inline constexpr std::uint32_t Framed = 1u << 11;
inline constexpr std::uint32_t Sunken = 1u << 12;
inline constexpr std::uint32_t AutoScroll = 1u << 13;
inline constexpr std::uint32_t NumbersOnly = 1u << 14;
// A radio button that starts a new group of mutually exclusive buttons;
// otherwise consecutive radio buttons form one group.
inline constexpr std::uint32_t GroupStart = 1u << 15;
// A check box or radio button that starts checked.
inline constexpr std::uint32_t Checked = 1u << 16;
// The rectangle is in client pixels rather than dialog units: controls that a
// window creates itself at fixed positions instead of taking them from its
// template.
inline constexpr std::uint32_t ClientPixels = 1u << 17;
} // namespace style

// Ids that several windows share with the same meaning.
inline constexpr int kNoId = -1;
inline constexpr int kOkId = 1;
inline constexpr int kCancelId = 2;

struct DialogRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Client-pixel layouts are written as edges (left, top, right, bottom).
constexpr DialogRect rectFromEdges(int left, int top, int right, int bottom) {
    return {left, top, right - left, bottom - top};
}

struct ControlTemplate {
    int id = kNoId;
    ControlKind kind = ControlKind::Static;
    std::string_view text;
    DialogRect rect;
    std::uint32_t style = style::None;

    // Tables name their ids with the window's own enum.
    template <typename Id>
    requires(std::is_enum_v<Id> || std::is_same_v<Id, int>) constexpr ControlTemplate(
        Id controlId, ControlKind controlKind, std::string_view controlText, DialogRect controlRect,
        std::uint32_t controlStyle = style::None)
        : id(static_cast<int>(controlId)), kind(controlKind), text(controlText), rect(controlRect),
          style(controlStyle) {}
};

struct DialogTemplate {
    int id = 0;
    // Size in dialog units.
    int width = 0;
    int height = 0;
    std::string_view caption;
    std::span<const ControlTemplate> controls;

    const ControlTemplate* find(int controlId) const {
        for (const ControlTemplate& control : controls) {
            if (control.id == controlId)
                return &control;
        }
        return nullptr;
    }
    template <typename Id>
    requires std::is_enum_v<Id>
    const ControlTemplate* find(Id controlId) const { return find(static_cast<int>(controlId)); }
};

// Dialog units to pixels, for the 8-point dialog font the layouts were made with.
constexpr int dialogUnitsToPixelsX(int units) {
    return units * 3 / 2;
}
constexpr int dialogUnitsToPixelsY(int units) {
    return units * 13 / 8;
}

} // namespace strumvale::resources
