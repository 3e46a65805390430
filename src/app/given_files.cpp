#include "app/given_files.h"

#include "app/file_commands.h"
#include "app/main_dialog.h"
#include "app/page_tab_ctrl.h"
#include "app/playlist_files.h"
#include "uikit/text.h"

#include <QFileInfo>

namespace strumvale::app {

GivenFileKind kindOfGivenFile(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("cho") || suffix == QLatin1String("chopro") ||
                   suffix == QLatin1String("pro")
               ? GivenFileKind::Song
               : GivenFileKind::Chordfile;
}

std::optional<QString> givenFile(const QStringList& arguments) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (!arguments[i].isEmpty())
            return QFileInfo(arguments[i]).absoluteFilePath();
    }
    return std::nullopt;
}

void openSongAtStart(MainDialog& window, const QString& path) {
    openSongAt(window, path);
}

void openHandedOverFile(MainDialog& window, const QString& path) {
    // The user sees the question about unsaved work, and then the file.
    window.showNormal();
    window.raise();
    window.activateWindow();
    if (kindOfGivenFile(path) == GivenFileKind::Song) {
        openSongAt(window, path);
        return;
    }
    if (settleUnsavedChordfile(window))
        openChordfileAt(window, uikit::toSystem(path));
}

} // namespace strumvale::app
