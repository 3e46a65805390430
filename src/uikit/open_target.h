#pragma once

#include <QString>
#include <functional>

namespace strumvale::uikit {

// Results in the shell's terms: above 32 is success, the rest name the reason
// (2 file not found, 31 nothing associated with it, ...).
inline constexpr int kOpenSucceeded = 42;
inline constexpr int kOpenFileNotFound = 2;
inline constexpr int kOpenNoAssociation = 31;

inline bool openSucceeded(int result) {
    return result > 32;
}

// Opens a file, web address or mail address with the desktop's own program.
int shellOpen(const QString& target);

using ShellOpenHandler = std::function<int(const QString& target)>;
// Tests see what would be opened; an empty handler restores the desktop.
void setShellOpenHandler(ShellOpenHandler handler);

// The browser command for links the desktop cannot open: $BROWSER, in which
// "%1" or "%s" stands for the target. Empty when none is set.
QString browserCommand();

// Starts command with target: the text before its placeholder (a quoted
// placeholder is cut at its opening quote), one space, then the target.
int startBrowser(const QString& command, const QString& target);

} // namespace strumvale::uikit
