#include "pages/editor_part.h"

#include "pages/page.h"
#include "uikit/message_box.h"

#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>

namespace strumvale::pages {

void selectQuietly(QListWidget& list, int row) {
    const QSignalBlocker blocker(&list);
    list.setCurrentRow(row);
}

void fillQuietly(QLineEdit& edit, const QString& text) {
    const QSignalBlocker blocker(&edit);
    edit.setText(text);
    edit.setCursorPosition(0);
}

void showInformation(Page& page, const QString& text) {
    uikit::showMessage(&page, {text, page.translate("Information"), uikit::MessageIcon::Information,
                               uikit::MessageButtons::Ok});
}

} // namespace strumvale::pages
