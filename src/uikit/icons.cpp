#include "uikit/icons.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>

namespace strumvale::uikit {
namespace {

struct IconSource {
    int resourceId;
    const char* themeName;
    QStyle::StandardPixmap fallback;
};

constexpr IconSource kIcons[] = {
    {icon::Open, "document-open", QStyle::SP_DialogOpenButton},
    {icon::About, "help-about", QStyle::SP_MessageBoxInformation},
    {icon::Print, "document-print", QStyle::SP_FileIcon},
    {icon::Settings, "preferences-system", QStyle::SP_FileDialogDetailedView},
    {icon::Help, "help-browser", QStyle::SP_DialogHelpButton},
    {icon::Exit, "application-exit", QStyle::SP_DialogCloseButton},
    {icon::StringIdle, "media-playback-start", QStyle::SP_MediaPlay},
    {icon::Search, "edit-find", QStyle::SP_FileDialogContentsView},
    {icon::ChordfileInfo, "dialog-information", QStyle::SP_FileDialogInfoView},
    {icon::Save, "document-save", QStyle::SP_DialogSaveButton},
    {icon::StringSounding, "media-playback-stop", QStyle::SP_MediaStop},
    {icon::MoveDown, "go-down", QStyle::SP_ArrowDown},
    {icon::MoveUp, "go-up", QStyle::SP_ArrowUp},
    {icon::CheckForUpdate, "system-software-update", QStyle::SP_BrowserReload},
    {icon::CopyTab, "edit-copy", QStyle::SP_ArrowDown},
};

// A guitar pick: drawn rather than shipped, so the window always has an icon.
QIcon drawnApplicationIcon() {
    QIcon result;
    for (int size : {16, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath pick;
        const qreal s = size;
        pick.moveTo(s * 0.5, s * 0.96);
        pick.cubicTo(s * 0.1, s * 0.6, s * 0.02, s * 0.3, s * 0.12, s * 0.14);
        pick.cubicTo(s * 0.3, s * 0.0, s * 0.7, s * 0.0, s * 0.88, s * 0.14);
        pick.cubicTo(s * 0.98, s * 0.3, s * 0.9, s * 0.6, s * 0.5, s * 0.96);
        painter.fillPath(pick, QColor(200, 60, 40));
        painter.setPen(QPen(QColor(250, 240, 220), qMax(1.0, s / 16)));
        for (int line = 0; line < 3; ++line) {
            const qreal y = s * (0.28 + 0.14 * line);
            painter.drawLine(QPointF(s * 0.3, y), QPointF(s * 0.7, y));
        }
        painter.end();
        result.addPixmap(pixmap);
    }
    return result;
}

} // namespace

QIcon resourceIcon(int resourceId) {
    for (const IconSource& source : kIcons) {
        if (source.resourceId == resourceId) {
            return QIcon::fromTheme(QString::fromLatin1(source.themeName),
                                    QApplication::style()->standardIcon(source.fallback));
        }
    }
    return QIcon();
}

QIcon applicationIcon() {
    return QIcon::fromTheme("strumvale", drawnApplicationIcon());
}

} // namespace strumvale::uikit
