#include "uikit/link_label.h"

#include "uikit/contrast.h"
#include "uikit/message_box.h"
#include "uikit/open_target.h"

#include <QApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

namespace strumvale::uikit {

const QColor LinkLabel::kLinkColour(0, 0, 238);
const QColor LinkLabel::kVisitedColour(85, 26, 139);
const QColor LinkLabel::kHoverColour(255, 0, 0);

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setTextFormat(Qt::PlainText);
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    linkTarget_ = text;
    setToolTip(linkTarget_);
    makeFonts();
    hoverTimer_.setInterval(kHoverCheckMs);
    connect(&hoverTimer_, &QTimer::timeout, this, &LinkLabel::hoverTick);
}

void LinkLabel::setLinkTarget(const QString& target) {
    linkTarget_ = target;
    if (text().isEmpty())
        setText(target);
    setToolTip(linkTarget_);
    fitToText();
}

void LinkLabel::setUnderlineMode(int mode) {
    underlineMode_ = mode;
    applyFont(mode == kAlwaysUnderlined ? underlinedFont_ : normalFont_);
    update();
}

void LinkLabel::setVisited(bool visited) {
    visited_ = visited;
    update();
}

void LinkLabel::setAutoSize(bool on) {
    autoSize_ = on;
    fitToText();
}

QColor LinkLabel::textColour() const {
    if (hovering_)
        return hoverColour_;
    return visited_ ? visitedColour_ : linkColour_;
}

int LinkLabel::openLinkTarget() {
    // An empty target would open whatever the desktop makes of "" (the
    // current folder); there is nothing to open.
    if (linkTarget_.isEmpty())
        return kOpenFileNotFound;
    const int result = shellOpen(linkTarget_);
    if (openSucceeded(result))
        return result;
    const QString browser = browserCommand();
    if (browser.isEmpty())
        return result;
    return startBrowser(browser, linkTarget_);
}

QString LinkLabel::openErrorText(int result) {
    QString reason;
    switch (result) {
    case 0:
        reason = QStringLiteral("The operating system is out\nof memory or resources.");
        break;
    case 2:
        reason = QStringLiteral("The specified file was not found.");
        break;
    case 3:
        reason = QStringLiteral("The specified path was not found.");
        break;
    case 5:
        reason = QStringLiteral("The operating system denied\naccess to the specified file.");
        break;
    case 8:
        reason = QStringLiteral("There was not enough memory to complete the operation.");
        break;
    case 11:
        reason =
            QStringLiteral("The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).");
        break;
    case 26:
        reason = QStringLiteral("A sharing violation occurred. ");
        break;
    case 27:
        reason = QStringLiteral("The filename association is\nincomplete or invalid.");
        break;
    case 28:
        reason = QStringLiteral(
            "The DDE transaction could not\nbe completed because the request timed out.");
        break;
    case 29:
        reason = QStringLiteral("The DDE transaction failed.");
        break;
    case 30:
        reason = QStringLiteral("The DDE transaction could not\nbe completed because other DDE "
                                "transactions\nwere being processed.");
        break;
    case 31:
        reason = QStringLiteral(
            "There is no application associated\nwith the given filename extension.");
        break;
    case 32:
        reason = QStringLiteral("The specified dynamic-link library was not found.");
        break;
    default:
        reason = QStringLiteral("Unknown Error (%1) occurred.").arg(result);
        break;
    }
    return QStringLiteral("Unable to open hyperlink:\n\n") + reason;
}

void LinkLabel::hoverTick() {
    if (rect().contains(cursorPosition()))
        return;
    hovering_ = false;
    hoverTimer_.stop();
    if (underlineMode_ != kAlwaysUnderlined)
        applyFont(normalFont_);
    update();
}

QPoint LinkLabel::cursorPosition() const {
    return mapFromGlobal(QCursor::pos());
}

void LinkLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor background = palette().color(QPalette::Button);
    painter.fillRect(rect(), background);
    // The usual link colours on a light background, lighter on a dark one.
    painter.setPen(uikit::legibleOn(textColour(), background, kTextContrast));
    painter.setFont(font());
    painter.drawText(contentsRect(), static_cast<int>(alignment()), text());
}

void LinkLabel::mouseMoveEvent(QMouseEvent* event) {
    QLabel::mouseMoveEvent(event);
    if (hovering_)
        return;
    hovering_ = true;
    if (underlineMode_ == kUnderlineWhileHovering)
        applyFont(underlinedFont_);
    update();
    hoverTimer_.start();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        activate();
    }
}

void LinkLabel::showEvent(QShowEvent* event) {
    QLabel::showEvent(event);
    if (shown_)
        return;
    // The layout places the control after it is made; its text decides the
    // size once it is on screen.
    shown_ = true;
    if (linkTarget_.isEmpty()) {
        linkTarget_ = text();
        setToolTip(linkTarget_);
    }
    if (text().isEmpty())
        setText(linkTarget_);
    fitToText();
}

void LinkLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange && !applyingFont_) {
        makeFonts();
        const bool underlined = underlineMode_ == kAlwaysUnderlined ||
                                (hovering_ && underlineMode_ == kUnderlineWhileHovering);
        if (underlined)
            applyFont(underlinedFont_);
        fitToText();
    }
}

void LinkLabel::makeFonts() {
    normalFont_ = font();
    normalFont_.setUnderline(false);
    underlinedFont_ = normalFont_;
    underlinedFont_.setUnderline(true);
}

void LinkLabel::applyFont(const QFont& newFont) {
    applyingFont_ = true;
    setFont(newFont);
    applyingFont_ = false;
}

void LinkLabel::fitToText() {
    if (!autoSize_)
        return;
    const QRect outer = geometry();
    const QRect inner = contentsRect();
    const QSize text = QFontMetrics(underlinedFont_).size(0, this->text());
    const int needWidth = text.width() + outer.width() - inner.width();
    const int needHeight = text.height() + outer.height() - inner.height();

    QRect fitted = outer;
    const Qt::Alignment align = alignment();
    if (align & Qt::AlignVCenter) {
        fitted.setTop(outer.top() + (outer.height() - needHeight) / 2);
    }
    fitted.setHeight(needHeight);
    if (align & Qt::AlignHCenter) {
        fitted.setLeft(outer.left() + (outer.width() - needWidth) / 2);
        fitted.setWidth(needWidth);
    } else if (align & Qt::AlignRight) {
        fitted.setLeft(outer.right() + 1 - needWidth);
    } else {
        fitted.setWidth(needWidth);
    }
    setGeometry(fitted);
}

void LinkLabel::activate() {
    // The hover timer keeps running: it restores the resting font once the
    // mouse leaves.
    hovering_ = false;
    const int result = openLinkTarget();
    visited_ = openSucceeded(result);
    update();
    if (visited_)
        return;
    QApplication::beep();
    showMessage(window(), Message{openErrorText(result), QStringLiteral("Strumvale"),
                                  MessageIcon::Exclamation, MessageButtons::Ok});
}

} // namespace strumvale::uikit
