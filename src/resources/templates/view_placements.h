#pragma once

#include "resources/dialog_template.h"

// The drawn views are borderless child windows of fixed size, placed by their
// own templates inside the page that owns them.
namespace strumvale::resources {

inline constexpr DialogRect kFretboardViewPlacement{6, 10, 374, 90}; // template 108
inline constexpr DialogRect kDrumGridPlacement{6, 10, 374, 106};     // template 157
inline constexpr DialogRect kStaffViewPlacement{6, 5, 374, 55};      // template 158

} // namespace strumvale::resources
