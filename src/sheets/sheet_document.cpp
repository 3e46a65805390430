#include "sheets/sheet_document.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextLayout>

namespace strumvale::sheets {

SheetDocument::SheetDocument(QPagedPaintDevice& device) : device_(device), paged_(&device) {
    const QRect paintable = device.pageLayout().paintRectPixels(device.logicalDpiX());
    width_ = paintable.width();
    footer_ = 2 * lineHeight(font(9));
    height_ = paintable.height() - footer_;
}

SheetDocument::SheetDocument(QPaintDevice& device, qreal width) : device_(device), width_(width) {}

qreal SheetDocument::points(qreal points) const {
    return points * device_.logicalDpiY() / 72.0;
}

QFont SheetDocument::font(qreal pointSize, bool bold) const {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    // Ligatures would put "ﬁ" into the text, where a search for "fi" misses it.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

qreal SheetDocument::lineHeight(const QFont& font) const {
    return QFontMetricsF(font, &device_).lineSpacing();
}

QFontMetricsF SheetDocument::metrics(const QFont& font) const {
    return QFontMetricsF(font, &device_);
}

qreal SheetDocument::textWidth(const QFont& font, const QString& text) const {
    return QFontMetricsF(font, &device_).horizontalAdvance(text);
}

void SheetDocument::add(qreal height, Paint paint) {
    blocks_.push_back({height, std::move(paint), false, false});
}

void SheetDocument::addSpace(qreal height) {
    blocks_.push_back({height, {}, true, false});
}

void SheetDocument::addText(const QString& text, const QFont& font) {
    const qreal height = lineHeight(font);
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, font, &device_);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine())
            line.setLineWidth(width_);
        layout.endLayout();
        if (layout.lineCount() == 0) {
            addSpace(height);
            continue;
        }
        for (int i = 0; i < layout.lineCount(); ++i) {
            const QTextLine line = layout.lineAt(i);
            const QString part = paragraph.mid(line.textStart(), line.textLength());
            add(height, [part, font](QPainter& painter, const QRectF& area) {
                painter.setFont(font);
                painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, part);
            });
        }
    }
}

void SheetDocument::addHeading(const QString& text, qreal pointSize) {
    const QFont heading = font(pointSize, true);
    addSpace(lineHeight(heading) / 2);
    blocks_.push_back({lineHeight(heading) * 1.3,
                       [text, heading](QPainter& painter, const QRectF& area) {
                           painter.setFont(heading);
                           painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, text);
                       },
                       false, true});
}

std::vector<std::vector<const SheetDocument::Block*>> SheetDocument::pages() const {
    std::vector<std::vector<const Block*>> pages(1);
    qreal y = 0;
    for (std::size_t i = 0; i < blocks_.size(); ++i) {
        const Block& block = blocks_[i];
        if (block.space && y == 0)
            continue;
        qreal needed = block.height;
        if (block.keepWithNext && i + 1 < blocks_.size())
            needed += blocks_[i + 1].height;
        if (y > 0 && y + needed > height_) {
            pages.emplace_back();
            y = 0;
            if (block.space)
                continue;
        }
        pages.back().push_back(&block);
        y += block.height;
    }
    return pages;
}

int SheetDocument::pageCount() const {
    return static_cast<int>(pages().size());
}

bool SheetDocument::print() {
    if (paged_ == nullptr)
        return false;
    const auto all = pages();
    QPainter painter;
    if (!painter.begin(&device_))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    const QFont footer = font(9);
    for (std::size_t p = 0; p < all.size(); ++p) {
        if (p > 0 && !paged_->newPage())
            return false;
        qreal y = 0;
        for (const Block* block : all[p]) {
            if (block->paint) {
                painter.save();
                block->paint(painter, QRectF(0, y, width_, block->height));
                painter.restore();
            }
            y += block->height;
        }
        painter.setFont(footer);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(0, height_, width_, footer_), Qt::AlignHCenter | Qt::AlignBottom,
                         QStringLiteral("%1 / %2").arg(p + 1).arg(all.size()));
    }
    return painter.end();
}

qreal SheetDocument::columnHeightOf(const Block& block, bool atTop) {
    return block.space && atTop ? 0 : block.height;
}

qreal SheetDocument::blockTop(std::size_t block) const {
    qreal y = 0;
    for (std::size_t i = 0; i < block && i < blocks_.size(); ++i)
        y += columnHeightOf(blocks_[i], y == 0);
    return y;
}

qreal SheetDocument::columnHeight() const {
    return blockTop(blocks_.size());
}

void SheetDocument::paintColumn(QPainter& painter, const QRectF& exposed) const {
    qreal y = 0;
    for (const Block& block : blocks_) {
        const QRectF area(0, y, width_, block.height);
        y += columnHeightOf(block, y == 0);
        if (!block.paint || !area.intersects(exposed))
            continue;
        painter.save();
        block.paint(painter, area);
        painter.restore();
    }
}

} // namespace strumvale::sheets
