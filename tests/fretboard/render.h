#pragma once

#include "fretboard/drawn_label.h"

#include <QImage>
#include <QPainter>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <string>
#include <vector>

namespace strumvale::fretboard::testing {

// The client area as the user sees it, drawn through the view's own paint routine.
template <typename View> QImage renderClient(View& view, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    view.paint(painter);
    return image;
}

// Readable in a failure message: "#5c80e0".
inline std::string colorAt(const QImage& image, int x, int y) {
    return image.pixelColor(x, y).name().toStdString();
}

// Pixels of color inside area; parts of area outside the image count nothing.
inline int countPixels(const QImage& image, QRect area, QColor color) {
    area = area.intersected(image.rect());
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += image.pixelColor(x, y) == color ? 1 : 0;
        }
    }
    return count;
}

inline std::vector<DrawnLabel> labelsOf(const std::vector<DrawnLabel>& labels,
                                        DrawnLabel::Kind kind) {
    std::vector<DrawnLabel> found;
    std::copy_if(labels.begin(), labels.end(), std::back_inserter(found),
                 [kind](const DrawnLabel& label) { return label.kind == kind; });
    return found;
}

// The texts of the labels whose box starts at top, left to right.
inline QStringList textsAtTop(std::vector<DrawnLabel> labels, int top) {
    std::sort(labels.begin(), labels.end(),
              [](const DrawnLabel& a, const DrawnLabel& b) { return a.box.left() < b.box.left(); });
    QStringList texts;
    for (const DrawnLabel& label : labels) {
        if (label.box.top() == top) {
            texts << label.text;
        }
    }
    return texts;
}

} // namespace strumvale::fretboard::testing
