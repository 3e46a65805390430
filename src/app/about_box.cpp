#include "app/about_box.h"

#include "app/about_texts.h"
#include "library/chord_library.h"
#include "resources/templates/about_box.h"
#include "uikit/dialog_builder.h"
#include "uikit/icons.h"
#include "uikit/image_button.h"
#include "uikit/link_label.h"
#include "uikit/text.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadialGradient>

namespace strumvale::app {
namespace {

using resources::AboutBoxId;

QString translated(const ChordLibrary& library, std::string_view key) {
    return uikit::toQString(library.Translate(key));
}

QString text(std::string_view value) {
    return QString::fromLatin1(value.data(), static_cast<qsizetype>(value.size()));
}

// An acoustic guitar lying across the left part of the logo, headstock up
// and to the right.
void drawGuitar(QPainter& painter, const QRectF& area) {
    painter.save();
    // The guitar spans 140 units from the headstock to the tail.
    const double scale = area.height() / 150.0;
    painter.translate(area.left() + area.width() * 0.4, area.top() + area.height() * 0.62);
    painter.rotate(-35);
    painter.scale(scale, scale);

    // Neck and headstock first, so the body covers the neck's foot.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(92, 58, 30));
    painter.drawRect(QRectF(-4, -92, 8, 70));
    painter.drawRoundedRect(QRectF(-6, -112, 12, 22), 3, 3);
    painter.setPen(QPen(QColor(210, 200, 180), 1.2));
    for (int fret = 0; fret < 6; ++fret) {
        const double y = -88 + fret * 11.0;
        painter.drawLine(QPointF(-4, y), QPointF(4, y));
    }

    QPainterPath body;
    body.addEllipse(QPointF(0, -8), 17, 16);
    body.addEllipse(QPointF(0, 18), 23, 22);
    body.setFillRule(Qt::WindingFill);
    QRadialGradient wood(QPointF(-6, 6), 36);
    wood.setColorAt(0, QColor(236, 170, 82));
    wood.setColorAt(1, QColor(170, 94, 32));
    painter.setPen(QPen(QColor(90, 45, 15), 1.5));
    painter.setBrush(wood);
    painter.drawPath(body.simplified());

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 22, 10));
    painter.drawEllipse(QPointF(0, 2), 7, 7);
    painter.drawRect(QRectF(-8, 24, 16, 4));

    painter.setPen(QPen(QColor(235, 235, 225), 0.6));
    for (int string = 0; string < 6; ++string) {
        const double x = -3.0 + string * 1.2;
        painter.drawLine(QPointF(x, -108), QPointF(x, 26));
    }
    painter.restore();
}

} // namespace

QPixmap drawLogo(QSize size) {
    QPixmap logo(size.expandedTo(QSize(1, 1)));
    QPainter painter(&logo);
    painter.setRenderHint(QPainter::Antialiasing);

    const QRectF area(QPointF(0, 0), QSizeF(logo.size()));
    QLinearGradient sky(area.topLeft(), area.bottomLeft());
    sky.setColorAt(0, QColor(28, 52, 92));
    sky.setColorAt(1, QColor(70, 110, 160));
    painter.fillRect(area, sky);

    drawGuitar(painter, QRectF(area.left(), area.top(), area.height() * 1.2, area.height()));

    QFont font(QStringLiteral("Serif"));
    font.setBold(true);
    const QRectF words = area.adjusted(area.height() * 1.0, 0, -8, 0);
    // As large as the space beside the guitar allows.
    int pixels = qMax(8, static_cast<int>(area.height() * 0.42));
    for (; pixels > 8; --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetricsF(font).horizontalAdvance(text(about::kProgramName)) <= words.width())
            break;
    }
    font.setPixelSize(pixels);
    painter.setFont(font);
    painter.setPen(QColor(0, 0, 0, 110));
    painter.drawText(words.translated(2, 2), Qt::AlignVCenter | Qt::AlignHCenter,
                     text(about::kProgramName));
    painter.setPen(QColor(250, 232, 180));
    painter.drawText(words, Qt::AlignVCenter | Qt::AlignHCenter, text(about::kProgramName));
    return logo;
}

AboutBox::AboutBox(ChordLibrary& library, QWidget* owner) : QDialog(owner) {
    const resources::DialogTemplate& layout = resources::aboutBoxTemplate();
    uikit::buildDialog(*this, layout, uikit::DialogSizing::FixedWindow);

    logo_ = uikit::control<QLabel>(*this, AboutBoxId::Logo);
    notice_ = uikit::control<QLabel>(*this, AboutBoxId::Notice);
    credits_ = uikit::control<QPlainTextEdit>(*this, AboutBoxId::Credits);
    webLink_ = uikit::control<uikit::LinkLabel>(*this, AboutBoxId::WebLink);
    supportLink_ = uikit::control<uikit::LinkLabel>(*this, AboutBoxId::SupportLink);
    updateButton_ = uikit::control<uikit::ImageButton>(*this, AboutBoxId::CheckForUpdate);
    okButton_ = uikit::control<QPushButton>(*this, AboutBoxId::Ok);
    auto* cancel = uikit::control<QPushButton>(*this, AboutBoxId::Cancel);

    if (logo_ != nullptr)
        logo_->setPixmap(drawLogo(logo_->size()));

    credits_->setPlainText(uikit::withLineBreaks(about::creditsText()));

    webLink_->setText(text(about::kWebPage));
    webLink_->setLinkTarget(text(about::kWebPage));
    supportLink_->setText(text(about::kSupportAddress));
    supportLink_->setLinkTarget(text(about::kSupportTarget));
    webLink_->setUnderlineMode(uikit::LinkLabel::kAlwaysUnderlined);
    supportLink_->setUnderlineMode(uikit::LinkLabel::kAlwaysUnderlined);

    updateButton_->setLinkTarget(text(about::kUpdatePage));
    updateButton_->setIconResource(uikit::icon::CheckForUpdate);
    updateButton_->setCursor(Qt::PointingHandCursor);

    setWindowTitle(translated(library, "About") + QStringLiteral("..."));
    notice_->setText(uikit::withLineBreaks(about::noticeText()));
    updateButton_->setText(translated(library, "Check for update"));
    okButton_->setText(translated(library, "OK"));
    // The credits have no caption above them.
    credits_->setAccessibleName(translated(library, "Information"));

    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void showAboutBox(QWidget* owner, ChordLibrary& library) {
    AboutBox box(library, owner);
    box.exec();
}

} // namespace strumvale::app
