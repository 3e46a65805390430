#include "practice/chord_diagram_view.h"

#include "sheets/chord_diagram.h"
#include "sheets/diagram_painter.h"
#include "uikit/text.h"

#include <QPainter>
#include <algorithm>

namespace strumvale::practice {

ChordDiagramView::ChordDiagramView(QWidget* parent) : QWidget(parent) {
    setMinimumSize(120, 160);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ChordDiagramView::setChord(const QString& name, const std::string& tab) {
    name_ = name;
    tab_ = tab;
    describe();
    update();
}

void ChordDiagramView::setCaption(const QString& caption) {
    caption_ = caption;
    describe();
    update();
}

void ChordDiagramView::setDimmed(bool dimmed) {
    dimmed_ = dimmed;
    update();
}

// "Now: G, 3 2 0 0 0 3", as a screen reader says it.
void ChordDiagramView::describe() {
    setAccessibleName(caption_);
    setAccessibleDescription(
        name_.isEmpty() ? QString()
                        : name_ + QStringLiteral(", ") +
                              (tab_.empty() ? QStringLiteral("?") : uikit::toQString(tab_)));
}

void ChordDiagramView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (dimmed_)
        painter.setOpacity(0.5);
    painter.setPen(palette().color(QPalette::WindowText));
    const QRectF area = QRectF(rect()).adjusted(8, 4, -8, -8);
    QFont captionFont = font();
    painter.setFont(captionFont);
    const qreal captionHeight = QFontMetricsF(captionFont).height();
    painter.drawText(QRectF(area.left(), area.top(), area.width(), captionHeight),
                     Qt::AlignHCenter | Qt::AlignVCenter, caption_);
    QFont nameFont = font();
    nameFont.setPointSizeF(std::max(12.0, area.height() / 10));
    nameFont.setBold(true);
    painter.setFont(nameFont);
    const qreal nameHeight = QFontMetricsF(nameFont).height();
    const QRectF nameBox(area.left(), area.top() + captionHeight, area.width(), nameHeight);
    painter.drawText(nameBox, Qt::AlignHCenter | Qt::AlignVCenter, name_);
    if (name_.isEmpty())
        return;
    const QRectF below(area.left(), nameBox.bottom(), area.width(),
                       area.bottom() - nameBox.bottom());
    if (tab_.empty()) {
        painter.drawText(below, Qt::AlignCenter, QStringLiteral("?"));
        return;
    }
    // The grid keeps a diagram's proportions, strings closer than frets, and
    // leaves room above it for the open and muted marks.
    const sheets::ChordDiagram diagram = sheets::chordDiagram(tab_);
    const qreal room = std::min(below.height(), below.width() * 1.5);
    // The marks stand over half a fret's gap above the grid: a quarter of a
    // four-fret grid's height holds them.
    constexpr qreal kMarksShare = 0.28;
    const qreal gap = nameHeight * 0.25;
    const qreal height = (room - gap) / (1 + kMarksShare);
    const qreal width = height / 1.3;
    const QRectF grid(below.center().x() - width / 2, below.top() + gap + height * kMarksShare,
                      width, height);
    QFont markFont = font();
    markFont.setPointSizeF(std::max(8.0, height / 14));
    sheets::paintDiagram(painter, diagram, sheets::layoutDiagram(diagram, grid), markFont);
}

} // namespace strumvale::practice
