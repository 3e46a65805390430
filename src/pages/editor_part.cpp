#include "pages/editor_part.h"

#include "pages/page.h"
#include "uikit/message_box.h"

#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <utility>

namespace strumvale::pages {

void PanelHandlers::onTextChanged(QLineEdit& edit, QObject& context,
                                  std::function<void(const QString&)> onText) {
    connections_.push_back(
        QObject::connect(&edit, &QLineEdit::textChanged, &context, std::move(onText)));
}

void PanelHandlers::release() {
    for (const QMetaObject::Connection& connection : connections_)
        QObject::disconnect(connection);
    connections_.clear();
}

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
