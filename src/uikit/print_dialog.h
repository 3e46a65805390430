#pragma once

#include <functional>

class QPrinter;
class QWidget;

namespace strumvale::uikit {

// Runs the platform's modal print dialog on printer (where a PDF file is one
// of the choices, so printing works with no printer installed); false when
// cancelled. Tests install a handler that sets the printer up instead.
bool choosePrinter(QWidget* owner, QPrinter& printer);

using PrintDialogHandler = std::function<bool(QWidget* owner, QPrinter& printer)>;
// An empty handler restores the real dialog.
void setPrintDialogHandler(PrintDialogHandler handler);

} // namespace strumvale::uikit
