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

#include <QFileInfo>
#include <optional>

namespace strumvale::app {
namespace {

const QString kChordfileFilter = QStringLiteral("K9V Chordfile (*.gtr)");

bool playlistIsCurrent(const MainDialog& window) {
    return window.pageTabs().currentIndex() == PageTabCtrl::Playlist;
}

std::optional<std::string> chooseChordfile(MainDialog& window, uikit::FileDialogKind kind) {
    // The dialog starts beside the chordfile in use; saving offers its name.
    const QFileInfo inUse(uikit::fromSystem(window.library().FileName));
    uikit::FileDialogRequest request{kind, kChordfileFilter, QString(), QString()};
    if (!window.library().FileName.empty()) {
        request.directory = inUse.absolutePath();
        if (kind == uikit::FileDialogKind::Save)
            request.fileName = inUse.fileName();
    }
    const std::optional<QString> chosen = uikit::chooseFile(&window, request);
    if (!chosen)
        return std::nullopt;
    return uikit::toSystem(chosenChordfilePath(*chosen));
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
    if (!settleUnsavedChordfile(window))
        return;
    const std::optional<std::string> path = chooseChordfile(window, uikit::FileDialogKind::Open);
    if (path)
        openChordfileAt(window, *path);
}

bool openChordfileAt(MainDialog& window, const std::string& path) {
    ChordLibrary& library = window.library();
    bool loaded = false;
    try {
        loaded = library.LoadChordfile(path);
    } catch (const container::CZipException& error) {
        // A damaged archive is refused before anything is read: the library
        // and the pages keep what they had.
        showStopMessage(window, error);
        return false;
    } catch (const platform::FileError& error) {
        showStopMessage(window, error);
        return false;
    }
    // A failed read leaves the library empty; the pages follow it, so none
    // of them keeps showing records that are gone. Either way the edits of
    // before were saved or let go when asked: nothing read is unsaved.
    library.Modified = false;
    refreshAfterOpen(window);
    if (loaded) {
        window.statusLine().setText(uikit::fromSystem(library.FileName));
        return true;
    }
    window.statusLine().setText(window.noChordfileText());
    uikit::showMessage(&window,
                       {window.translate("Could not open the file."), window.translate("Error"),
                        uikit::MessageIcon::Information, uikit::MessageButtons::Ok});
    return false;
}

void saveCommand(MainDialog& window) {
    if (playlistIsCurrent(window)) {
        savePlaylist(window);
        return;
    }
    const std::optional<std::string> path = chooseChordfile(window, uikit::FileDialogKind::Save);
    if (path)
        saveChordfileTo(window, *path);
}

bool saveChordfileTo(MainDialog& window, const std::string& path) {
    ChordLibrary& library = window.library();
    try {
        library.SaveChordfile(path);
    } catch (const container::CZipException& error) {
        showStopMessage(window, error);
        return false;
    } catch (const platform::FileError& error) {
        showStopMessage(window, error);
        return false;
    }
    // The file saved is the one in use now, and holds every edit: a library
    // begun with New Chordfile is as loaded as one read from that file.
    library.FileName = path;
    library.Loaded = true;
    library.Modified = false;
    window.statusLine().setText(uikit::fromSystem(library.FileName));
    return true;
}

bool settleUnsavedChordfile(MainDialog& window) {
    ChordLibrary& library = window.library();
    if (!library.Modified)
        return true;
    const QString name = QFileInfo(uikit::fromSystem(library.FileName)).fileName();
    const QString question = window.translate("Save changes to") +
                             (name.isEmpty() ? QString() : QStringLiteral(" ") + name) +
                             QStringLiteral("?");
    switch (askToSaveChanges(window, question)) {
    case uikit::MessageAnswer::Yes: {
        // A chordfile never saved has no name yet: the user gives it one.
        if (library.FileName.empty()) {
            const std::optional<std::string> path =
                chooseChordfile(window, uikit::FileDialogKind::Save);
            return path && saveChordfileTo(window, *path);
        }
        return saveChordfileTo(window, library.FileName);
    }
    case uikit::MessageAnswer::No:
        return true;
    default:
        return false;
    }
}

} // namespace strumvale::app
