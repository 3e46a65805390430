#pragma once

#include <QDialog>

namespace strumvale {
class ChordLibrary;
}

namespace strumvale::app {

// Author, home page, description and counts of the open chordfile.
class ChordfileInfoDialog : public QDialog {
    Q_OBJECT
public:
    ChordfileInfoDialog(const ChordLibrary& library, QWidget* owner);

protected:
    // Only OK closes it.
    void reject() override {}
};

} // namespace strumvale::app
