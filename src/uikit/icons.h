#pragma once

#include <QIcon>

namespace strumvale::uikit {

// The program's icon resources by their numbers: the desktop theme's icon of
// that meaning, or the style's own picture where the theme has none.
QIcon resourceIcon(int resourceId);

// The application icon: the installed theme icon, else a drawn one.
QIcon applicationIcon();

namespace icon {
inline constexpr int Application = 129;
inline constexpr int Open = 131;
inline constexpr int About = 147;
inline constexpr int Print = 148;
inline constexpr int Settings = 149;
inline constexpr int Help = 150;
inline constexpr int Exit = 151;
inline constexpr int StringIdle = 152;
inline constexpr int Search = 154;
inline constexpr int ChordfileInfo = 155;
inline constexpr int Save = 160;
inline constexpr int StringSounding = 175;
inline constexpr int MoveDown = 177;
inline constexpr int MoveUp = 178;
inline constexpr int CheckForUpdate = 182;
inline constexpr int CopyTab = 185;
} // namespace icon

} // namespace strumvale::uikit
