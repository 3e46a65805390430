#include "uikit/print_dialog.h"

#include <QPrintDialog>
#include <QPrinter>

namespace strumvale::uikit {
namespace {

PrintDialogHandler& handler() {
    static PrintDialogHandler installed;
    return installed;
}

} // namespace

bool choosePrinter(QWidget* owner, QPrinter& printer) {
    if (handler())
        return handler()(owner, printer);
    QPrintDialog dialog(&printer, owner);
    // The sheet is drawn whole; page ranges and selections have nothing to pick.
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    return dialog.exec() == QDialog::Accepted;
}

void setPrintDialogHandler(PrintDialogHandler newHandler) {
    handler() = std::move(newHandler);
}

} // namespace strumvale::uikit
