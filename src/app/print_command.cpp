#include "app/command_messages.h"
#include "app/file_commands.h"
#include "app/main_dialog.h"
#include "app/page_tab_ctrl.h"
#include "pages/playlist_page.h"
#include "sheets/sheets.h"
#include "uikit/message_box.h"
#include "uikit/print_dialog.h"
#include "uikit/text.h"

#include <QFileInfo>
#include <QPrinter>

namespace strumvale::app {

void printCommand(MainDialog& window) {
    const bool playlist = window.pageTabs().currentIndex() == PageTabCtrl::Playlist;
    if (!askToContinue(window,
                       playlist ? "This will print the Playlist, Continue?"
                                : "This will print the Chordfile, Continue?",
                       "Print?"))
        return;
    pages::PlaylistPage& page = window.pageTabs().playlistPage();
    const ChordLibrary& library = window.library();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(playlist
                           ? page.sheetTitle()
                           : QFileInfo(uikit::fromSystem(library.FileName)).completeBaseName());
    printer.setCreator(uikit::toQString(MainDialog::kTitle));
    if (!uikit::choosePrinter(&window, printer))
        return;
    const sheets::Translate translate = [&window](std::string_view key) {
        return window.translate(key).trimmed();
    };
    const bool printed = playlist ? sheets::printPlaylistSheet(printer, page.playlistToKeep(),
                                                               page.sheetTitle(), translate)
                                  : sheets::printChordfileSheet(printer, library, translate);
    if (!printed) {
        uikit::showMessage(&window,
                           {window.translate("Could not print."), window.translate("Error"),
                            uikit::MessageIcon::Stop, uikit::MessageButtons::Ok});
    }
}

} // namespace strumvale::app
