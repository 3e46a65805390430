#pragma once

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace strumvale::uikit {

enum class FileDialogKind { Open, Save };

struct FileDialogRequest {
    FileDialogKind kind = FileDialogKind::Open;
    // Qt filter syntax, e.g. "Chordfile (*.gtr)".
    QString filter;
    // Where the dialog starts; the current directory when empty.
    QString directory;
    // The name a save dialog offers (no folder); none when empty.
    QString fileName;
};

// The file a choice names: the chosen folder and name, with extension (".gtr")
// appended unless the name already ends in it exactly.
QString chosenFilePath(const QString& chosen, const QString& extension);

// Song files: the dialogs' filter, and the chosen name with ".cho" unless it
// names a song file already.
QString songFileFilter();
QString chosenSongPath(const QString& chosen);

// Runs a modal file dialog; the chosen file's absolute path, or nothing when
// cancelled. Tests install a handler that chooses instead.
std::optional<QString> chooseFile(QWidget* owner, const FileDialogRequest& request);

using FileDialogHandler =
    std::function<std::optional<QString>(QWidget* owner, const FileDialogRequest& request)>;
// An empty handler restores the real dialog.
void setFileDialogHandler(FileDialogHandler handler);

} // namespace strumvale::uikit
