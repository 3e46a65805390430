#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QString>
#include <QTimer>

namespace strumvale::uikit {

// A static text that looks and behaves like a web link: coloured, underlined
// as asked, a hand cursor, the target as its tooltip, and a readable message
// when the target cannot be opened.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    // -1 underlines only while the mouse is over the link, 1 always, 0 never.
    static constexpr int kUnderlineWhileHovering = -1;
    static constexpr int kNeverUnderlined = 0;
    static constexpr int kAlwaysUnderlined = 1;
    static constexpr int kHoverCheckMs = 100;

    static const QColor kLinkColour;
    static const QColor kVisitedColour;
    static const QColor kHoverColour;

    explicit LinkLabel(const QString& text, QWidget* parent = nullptr);

    // Also the tooltip; an empty text shows the target itself.
    void setLinkTarget(const QString& target);
    QString linkTarget() const { return linkTarget_; }

    void setUnderlineMode(int mode);
    int underlineMode() const { return underlineMode_; }

    void setVisited(bool visited);
    bool isVisited() const { return visited_; }
    bool isHovering() const { return hovering_; }

    void setAutoSize(bool on);
    bool autoSize() const { return autoSize_; }

    // The colour the text is painted in now.
    QColor textColour() const;

    // Opens the target: the desktop first, then the browser command. Returns
    // the shell's kind of result code, above 32 meaning success.
    int openLinkTarget();

    // The message shown when a click could not open the target.
    static QString openErrorText(int result);

    // Called every kHoverCheckMs while hovering: ends the hover look once the
    // mouse has left.
    void hoverTick();

protected:
    // Where the mouse is, in this widget's coordinates.
    virtual QPoint cursorPosition() const;

    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void makeFonts();
    void applyFont(const QFont& font);
    void fitToText();
    void activate();

    QString linkTarget_;
    QColor linkColour_ = kLinkColour;
    QColor visitedColour_ = kVisitedColour;
    QColor hoverColour_ = kHoverColour;
    bool hovering_ = false;
    bool visited_ = false;
    int underlineMode_ = kUnderlineWhileHovering;
    bool autoSize_ = true;
    QFont normalFont_;
    QFont underlinedFont_;
    QTimer hoverTimer_;
    bool applyingFont_ = false;
    bool shown_ = false;
};

} // namespace strumvale::uikit
