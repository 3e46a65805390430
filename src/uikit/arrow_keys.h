#pragma once

#include <QPoint>
#include <Qt>
#include <optional>

namespace strumvale::uikit {

// The step an arrow key moves a cursor on a drawn grid: across (x) and down
// (y); none for any other key.
inline std::optional<QPoint> arrowStep(int key) {
    switch (key) {
    case Qt::Key_Left:
        return QPoint(-1, 0);
    case Qt::Key_Right:
        return QPoint(1, 0);
    case Qt::Key_Up:
        return QPoint(0, -1);
    case Qt::Key_Down:
        return QPoint(0, 1);
    default:
        return std::nullopt;
    }
}

} // namespace strumvale::uikit
