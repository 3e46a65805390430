#include "pages/pattern_grid_editor.h"

#include "model/records.h"
#include "pages/page_colours.h"
#include "uikit/arrow_keys.h"
#include "uikit/contrast.h"
#include "uikit/pixel_font.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStringList>
#include <algorithm>

namespace strumvale::pages {

namespace {

const QColor kMarkColour(92, 128, 224);
// Where "^" under the current step is drawn; redrawn alone when it moves.
const QRect kStepStrip(15, 160, 520, 10);

// The steps after which the grid has a thicker line.
bool endsABeat(int step) {
    return step == 4 || step == 8 || step == 12;
}

int index(int step, int track) {
    return model::DrumPattern::cellIndex(step, track);
}

bool inGrid(int step, int track) {
    return step >= 1 && step <= PatternGridEditor::kSteps && track >= 1 &&
           track <= PatternGridEditor::kTracks;
}

} // namespace

PatternGridEditor::PatternGridEditor(QWidget* parent) : QWidget(parent) {
    setFixedSize(kWidth, kHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    uikit::usePixelFont(*this);
    // Reached with Tab; a click leaves the focus where it was.
    setFocusPolicy(Qt::TabFocus);
    describe();
}

void PatternGridEditor::setPositionTexts(const QString& format, const QString& hitWord) {
    positionFormat_ = format;
    hitWord_ = hitWord;
    describe();
}

bool PatternGridEditor::hit(int step, int track) const {
    return inGrid(step, track) && cells_[index(step, track)].load() != 0;
}

void PatternGridEditor::toggle(int step, int track) {
    if (!inGrid(step, track))
        return;
    auto& cell = cells_[index(step, track)];
    cell = cell.load() == 0 ? 1 : 0;
    describe();
    update();
}

PatternGridEditor::Cells PatternGridEditor::cells() const {
    Cells copy{};
    for (int i = 0; i < kCellCount; ++i)
        copy[i] = cells_[i].load();
    return copy;
}

void PatternGridEditor::setCells(const Cells& cells) {
    for (int i = 0; i < kCellCount; ++i)
        cells_[i] = cells[i] != 0 ? 1 : 0;
    describe();
    update();
}

void PatternGridEditor::setSelectedTrack(int track) {
    selectedTrack_ = std::clamp(track, 1, kTracks);
    update();
}

void PatternGridEditor::setCurrentStep(int step) {
    currentStep_ = std::clamp(step, 1, kSteps);
    update(kStepStrip);
}

void PatternGridEditor::setHitColour(const QColor& colour) {
    hitColour_ = colour;
    update();
}

void PatternGridEditor::setWhiteBackground(bool on) {
    whiteBackground_ = on;
    update();
}

QColor PatternGridEditor::background() const {
    return whiteBackground_ ? kWhiteBackground : palette().color(QPalette::Window);
}

std::pair<int, int> PatternGridEditor::cellAt(const QPoint& point) {
    for (int track = 1; track <= kTracks; ++track) {
        if (point.y() < 18 * track - 7 || point.y() > 18 * track + 8)
            continue;
        for (int step = 1; step <= kSteps; ++step) {
            if (point.x() >= 30 * step + 21 && point.x() <= 30 * step + 49)
                return {step, track};
        }
    }
    return {0, 0};
}

void PatternGridEditor::describe() {
    if (cursorTold_) {
        QString said = positionFormat_.arg(cursorTrack_).arg(cursorStep_);
        if (hit(cursorStep_, cursorTrack_))
            said += QStringLiteral(", ") + hitWord_;
        setAccessibleDescription(said);
        return;
    }
    QStringList tracks;
    for (int track = 1; track <= kTracks; ++track) {
        QStringList steps;
        for (int step = 1; step <= kSteps; ++step) {
            if (hit(step, track))
                steps << QString::number(step);
        }
        if (!steps.isEmpty())
            tracks << QString::number(track) + QStringLiteral(": ") + steps.join(QLatin1Char(' '));
    }
    setAccessibleDescription(tracks.join(QStringLiteral("; ")));
}

void PatternGridEditor::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), background());
    // Black, or light on a dark desktop's background.
    const QColor ink = uikit::inkOn(background(), palette());

    painter.setPen(QPen(ink, 1));
    for (int y = 10; y <= 154; y += 18)
        painter.drawLine(50, y, 529, y);
    for (int step = 0; step <= kSteps; ++step) {
        const int x = 50 + 30 * step;
        if (endsABeat(step)) {
            // Two pixels wide, as the thicker pen covers x - 1 and x.
            painter.fillRect(QRect(x - 1, 10, 2, 144), ink);
        } else {
            painter.drawLine(x, 10, x, 154);
        }
    }

    for (int step = 1; step <= kSteps; ++step) {
        for (int track = 1; track <= kTracks; ++track) {
            if (!hit(step, track))
                continue;
            const int right = endsABeat(step) ? 30 * step + 50 : 30 * step + 51;
            painter.fillRect(
                QRect(QPoint(30 * step + 20, 18 * track - 8), QPoint(right - 1, 18 * track + 10)),
                hitColour_);
        }
    }

    painter.setPen(ink);
    painter.drawText(
        QRect(QPoint(15, 18 * selectedTrack_ - 8), QPoint(39, 18 * selectedTrack_ + 6)),
        Qt::AlignCenter, QString::number(selectedTrack_) + QStringLiteral(" ->"));

    painter.fillRect(kStepStrip, background());
    painter.setPen(kMarkColour);
    painter.drawText(
        QRect(QPoint(30 * currentStep_ + 15, 160), QPoint(30 * currentStep_ + 54, 169)),
        Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("^"));

    // The keyboard's cursor: a dotted frame inside the cell, on hit or rest.
    if (hasFocus()) {
        QPen pen(ink);
        pen.setStyle(Qt::DotLine);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(QPoint(30 * cursorStep_ + 22, 18 * cursorTrack_ - 6),
                               QPoint(30 * cursorStep_ + 47, 18 * cursorTrack_ + 7)));
    }
}

void PatternGridEditor::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const auto [step, track] = cellAt(event->position().toPoint());
    if (step == 0)
        return;
    clickCell(step, track);
}

void PatternGridEditor::clickCell(int step, int track) {
    toggle(step, track);
    emit cellToggled(step, track);
}

void PatternGridEditor::moveCursor(int steps, int tracks) {
    cursorStep_ = std::clamp(cursorStep_ + steps, 1, kSteps);
    cursorTrack_ = std::clamp(cursorTrack_ + tracks, 1, kTracks);
    cursorTold_ = true;
    describe();
    update();
}

void PatternGridEditor::keyPressEvent(QKeyEvent* event) {
    if (const std::optional<QPoint> step = uikit::arrowStep(event->key())) {
        moveCursor(step->x(), step->y());
        return;
    }
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        clickCell(cursorStep_, cursorTrack_);
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void PatternGridEditor::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void PatternGridEditor::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    cursorTold_ = false;
    describe();
    update();
}

} // namespace strumvale::pages
