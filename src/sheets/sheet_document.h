#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QRectF>
#include <QString>
#include <functional>
#include <vector>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

// A sheet as a column of blocks that are never cut. Printed, blocks fill a
// page from the top and move whole to the next one when they do not fit, and
// every page ends with its number; on a screen the column runs on unbroken.
// Lengths are in the device's pixels. Blocks draw in the painter's pen
// colour: black on paper, the view's ink on a screen.
namespace strumvale::sheets {

class SheetDocument {
public:
    using Paint = std::function<void(QPainter& painter, const QRectF& area)>;

    // Pages of the device's paper.
    explicit SheetDocument(QPagedPaintDevice& device);
    // One column width wide, as long as its blocks, measured for device.
    SheetDocument(QPaintDevice& device, qreal width);

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
    // that cannot be written, a printer that is gone) or has no pages.
    bool print();
    int pageCount() const;

    // The unbroken column: the blocks one below the other from the top, with
    // no space above the first.
    std::size_t blockCount() const { return blocks_.size(); }
    qreal blockTop(std::size_t block) const;
    qreal columnHeight() const;
    // The blocks that meet exposed, painted where the column puts them.
    void paintColumn(QPainter& painter, const QRectF& exposed) const;

private:
    struct Block {
        qreal height = 0;
        Paint paint;
        bool space = false;
        bool keepWithNext = false;
    };
    static qreal columnHeightOf(const Block& block, bool atTop);
    // The blocks of each page, in order.
    std::vector<std::vector<const Block*>> pages() const;

    QPaintDevice& device_;
    QPagedPaintDevice* paged_ = nullptr;
    qreal width_ = 0;
    qreal height_ = 0;
    qreal footer_ = 0;
    std::vector<Block> blocks_;
};

} // namespace strumvale::sheets
