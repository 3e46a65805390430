#include "app/file_commands.h"

#include "app/command_messages.h"
#include "app/main_dialog.h"
#include "app/page_tab_ctrl.h"
#include "app/playlist_files.h"
#include "app/program_paths.h"
#include "app/status_line.h"
#include "container/zip_exception.h"
#include "pages/editor_page.h"
#include "pages/scales_page.h"
#include "platform/file_error.h"
#include "uikit/file_dialog.h"
#include "uikit/message_box.h"
#include "uikit/text.h"

#include <optional>

namespace strumvale::app {
namespace {

const QString kChordfileFilter = QStringLiteral("K9V Chordfile (*.gtr)");

bool playlistIsCurrent(const MainDialog& window) {
    return window.pageTabs().currentIndex() == PageTabCtrl::Playlist;
}

std::optional<std::string> chooseChordfile(MainDialog& window, uikit::FileDialogKind kind) {
    const std::optional<QString> chosen =
        uikit::chooseFile(&window, {kind, kChordfileFilter, QString()});
    if (!chosen)
        return std::nullopt;
    return uikit::fromQString(chosenChordfilePath(*chosen));
}

void refreshAfterOpen(MainDialog& window) {
    window.onChordsChanged();
    window.onScalesChanged();
    window.pageTabs().scalesPage().showSelectedScale();
    window.onTuningsChanged();
    window.onDrumPatternsChanged();
    window.pageTabs().editorPage().refresh();
}

} // namespace

void openCommand(MainDialog& window) {
    if (playlistIsCurrent(window)) {
        openPlaylist(window);
        return;
    }
    const std::optional<std::string> path = chooseChordfile(window, uikit::FileDialogKind::Open);
    if (!path)
        return;
    ChordLibrary& library = window.library();
    bool loaded = false;
    try {
        loaded = library.LoadChordfile(*path);
    } catch (const container::CZipException& error) {
        // A damaged archive is refused before anything is read: the library
        // and the pages keep what they had.
        showStopMessage(window, error);
        return;
    } catch (const platform::FileError& error) {
        showStopMessage(window, error);
        return;
    }
    // A failed read leaves the library empty; the pages follow it, so none
    // of them keeps showing records that are gone.
    refreshAfterOpen(window);
    if (loaded) {
        window.statusLine().setText(uikit::toQString(library.FileName));
        return;
    }
    window.statusLine().setText(window.noChordfileText());
    uikit::showMessage(&window,
                       {window.translate("Could not open the file."), window.translate("Error"),
                        uikit::MessageIcon::Information, uikit::MessageButtons::Ok});
}

void saveCommand(MainDialog& window) {
    if (playlistIsCurrent(window)) {
        savePlaylist(window);
        return;
    }
    const std::optional<std::string> path = chooseChordfile(window, uikit::FileDialogKind::Save);
    if (!path)
        return;
    try {
        window.library().SaveChordfile(*path);
    } catch (const container::CZipException& error) {
        showStopMessage(window, error);
    } catch (const platform::FileError& error) {
        showStopMessage(window, error);
    }
}

} // namespace strumvale::app
