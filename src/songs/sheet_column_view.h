#pragma once

#include "sheets/sheet_document.h"

#include <QWidget>
#include <functional>
#include <memory>

namespace strumvale::songs {

// A sheet drawn on the screen as one unbroken column, built at the view's
// width (less its margin) whenever that or the content changes, on white
// paper as it prints, or on a dark palette's own background in its text
// colour. The view is as tall as the column.
class SheetColumnView : public QWidget {
    Q_OBJECT
public:
    using Build = std::function<void(sheets::SheetDocument& sheet)>;
    static constexpr int kMargin = 10;

    explicit SheetColumnView(QWidget* parent = nullptr);
    ~SheetColumnView() override;

    void setContent(Build build);
    // Builds the content again, as after a change of what it draws.
    void rebuild();
    const sheets::SheetDocument& sheet() const { return *sheet_; }
    // Where the top left of the column is drawn in the view.
    QPointF origin() const { return {kMargin, kMargin}; }
    // What the column is drawn on.
    QColor paper() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // Painted over the paper and under the column, in the column's lengths.
    virtual void paintUnder(QPainter& painter);
    // After every build; the view's size follows the column's height next.
    virtual void built() {}

private:
    Build build_;
    std::unique_ptr<sheets::SheetDocument> sheet_;
    int builtWidth_ = -1;
};

} // namespace strumvale::songs
