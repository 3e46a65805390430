#pragma once

#include <QString>
#include <QWidget>

namespace strumvale::app {

// The line under the pages naming the loaded chordfile: one line, centred
// vertically, ending in "..." when it does not fit, on the button face.
class StatusLine : public QWidget {
    Q_OBJECT
public:
    explicit StatusLine(QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const { return text_; }
    // What is drawn for the current width.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
};

} // namespace strumvale::app
