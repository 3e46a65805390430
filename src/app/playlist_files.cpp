#include "app/playlist_files.h"

#include "app/command_messages.h"
#include "app/main_dialog.h"
#include "app/page_tab_ctrl.h"
#include "formats/chordpro.h"
#include "pages/playlist_page.h"
#include "platform/file_error.h"
#include "uikit/file_dialog.h"
#include "uikit/message_box.h"
#include "uikit/text.h"

#include <QFileInfo>

namespace strumvale::app {
namespace {

const QString kSongFilter = QStringLiteral("ChordPro Song (*.cho *.chopro)");

QString readFailure(MainDialog& window, const formats::ChordProError& error) {
    switch (error.kind()) {
    case formats::ChordProError::Kind::NotText:
        return window.translate("This file is not a text file.");
    case formats::ChordProError::Kind::TooLarge:
        return window.translate("This file is too large for a playlist.");
    case formats::ChordProError::Kind::BadLine:
        break;
    }
    return window.translate("This line cannot be read:") + QStringLiteral(" ") +
           QString::number(error.line());
}

QString titleOf(const QString& path) {
    return QFileInfo(path).completeBaseName();
}

} // namespace

void openPlaylist(MainDialog& window) {
    const std::optional<QString> chosen =
        uikit::chooseFile(&window, {uikit::FileDialogKind::Open, kSongFilter, QString()});
    if (!chosen)
        return;
    model::Playlist playlist;
    try {
        playlist =
            formats::LoadPlaylist(uikit::fromQString(*chosen), {window.library().Chords.items()});
    } catch (const platform::FileError& error) {
        showStopMessage(window, error);
        return;
    } catch (const formats::ChordProError& error) {
        uikit::showMessage(&window, {window.translate("Could not open the file.") +
                                         QStringLiteral("\n") + readFailure(window, error),
                                     window.translate("Error"), uikit::MessageIcon::Information,
                                     uikit::MessageButtons::Ok});
        return;
    }
    window.pageTabs().playlistPage().showOpenedPlaylist(playlist, titleOf(*chosen));
}

void savePlaylist(MainDialog& window) {
    if (!askToContinue(window, "This will save the Playlist, Continue?", "Save?"))
        return;
    const std::optional<QString> chosen =
        uikit::chooseFile(&window, {uikit::FileDialogKind::Save, kSongFilter, QString()});
    if (!chosen)
        return;
    const QString path =
        chosen->endsWith(QStringLiteral(".cho")) || chosen->endsWith(QStringLiteral(".chopro"))
            ? *chosen
            : uikit::chosenFilePath(*chosen, QStringLiteral(".cho"));
    pages::PlaylistPage& page = window.pageTabs().playlistPage();
    try {
        formats::SavePlaylist(page.playlistToKeep(), uikit::fromQString(path));
    } catch (const platform::FileError& error) {
        showStopMessage(window, error);
        return;
    }
    page.setTitle(titleOf(path));
}

} // namespace strumvale::app
