#pragma once

#include <QDialog>
#include <QPixmap>
#include <QSize>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace strumvale {
class ChordLibrary;
}

namespace strumvale::uikit {
class ImageButton;
class LinkLabel;
} // namespace strumvale::uikit

namespace strumvale::app {

// The logo of the About box, drawn to the given size.
QPixmap drawLogo(QSize size);

// The program's logo, notice and version, the libraries it builds on and the
// maker's addresses. Closes with OK or Escape; every box starts with its
// links unvisited.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(ChordLibrary& library, QWidget* owner = nullptr);

    QLabel* logo() const { return logo_; }
    QLabel* notice() const { return notice_; }
    QPlainTextEdit* credits() const { return credits_; }
    uikit::LinkLabel* webLink() const { return webLink_; }
    uikit::LinkLabel* supportLink() const { return supportLink_; }
    uikit::ImageButton* updateButton() const { return updateButton_; }
    QPushButton* okButton() const { return okButton_; }

private:
    QLabel* logo_ = nullptr;
    QLabel* notice_ = nullptr;
    QPlainTextEdit* credits_ = nullptr;
    uikit::LinkLabel* webLink_ = nullptr;
    uikit::LinkLabel* supportLink_ = nullptr;
    uikit::ImageButton* updateButton_ = nullptr;
    QPushButton* okButton_ = nullptr;
};

// The About command: runs the box modally; nothing comes back.
void showAboutBox(QWidget* owner, ChordLibrary& library);

} // namespace strumvale::app
