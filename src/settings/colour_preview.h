#pragma once

#include <QColor>
#include <QWidget>

namespace strumvale::settings {

// A framed patch of one colour, repainted whenever the colour changes.
class ColourPreview : public QWidget {
    Q_OBJECT
public:
    explicit ColourPreview(QWidget* parent = nullptr);

    void setColour(const QColor& colour);
    QColor colour() const { return colour_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour_{Qt::black};
};

} // namespace strumvale::settings
