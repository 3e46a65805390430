#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QRectF>
#include <QString>
#include <functional>
#include <vector>

class QPagedPaintDevice;
class QPainter;

// A printed sheet as a column of blocks that are never cut: blocks fill a page
// from the top and move whole to the next one when they do not fit. Every page
// ends with its number. Lengths are in the device's pixels.
namespace strumvale::sheets {

class SheetDocument {
public:
    using Paint = std::function<void(QPainter& painter, const QRectF& area)>;

    explicit SheetDocument(QPagedPaintDevice& device);

    // Paper lengths in the device's pixels.
    qreal points(qreal points) const;
    qreal width() const { return width_; }
    QFont font(qreal pointSize, bool bold = false) const;
    qreal lineHeight(const QFont& font) const;
    qreal textWidth(const QFont& font, const QString& text) const;
    // The font measured on the device, as it will be painted there.
    QFontMetricsF metrics(const QFont& font) const;

    void add(qreal height, Paint paint);
    // Empty space, dropped at the top of a page.
    void addSpace(qreal height);
    // Text wrapped at the sheet's width, a block per line so that long texts
    // run on to the next page; its own line breaks are kept.
    void addText(const QString& text, const QFont& font);
    // A line of text in bold, kept on the page of the block after it.
    void addHeading(const QString& text, qreal pointSize);

    // Paints every page; false when the device cannot be painted on (a file
    // that cannot be written, a printer that is gone).
    bool print();
    int pageCount() const;

private:
    struct Block {
        qreal height = 0;
        Paint paint;
        bool space = false;
        bool keepWithNext = false;
    };
    // The blocks of each page, in order.
    std::vector<std::vector<const Block*>> pages() const;

    QPagedPaintDevice& device_;
    qreal width_ = 0;
    qreal height_ = 0;
    qreal footer_ = 0;
    std::vector<Block> blocks_;
};

} // namespace strumvale::sheets
