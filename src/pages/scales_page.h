#pragma once

#include "model/records.h"
#include "pages/page.h"

#include <optional>

class QComboBox;
class QLabel;
class QListWidget;

namespace strumvale::fretboard {
class FretboardView;
}

namespace strumvale::pages {

// A scale of the library in any of the twelve keys, drawn on a fretboard in
// the chosen tuning with its name, intervals and description beside it.
class ScalesPage : public Page {
    Q_OBJECT
public:
    explicit ScalesPage(PageHost& host, QWidget* parent = nullptr);

    void retranslate() override;
    std::vector<QWidget*> tabOrder() const override;
    void refreshScales();
    void refreshTunings();
    void showSelectedScale();

    fretboard::FretboardView& fretboardView() const { return *view_; }

private:
    void selectTuning();
    void showIntervals(bool on);

    fretboard::FretboardView* view_ = nullptr;
    QListWidget* keyList_ = nullptr;
    QListWidget* scaleList_ = nullptr;
    QComboBox* tuningCombo_ = nullptr;
    QLabel* nameLine_ = nullptr;
    QLabel* intervals_ = nullptr;
    QLabel* description_ = nullptr;
};

} // namespace strumvale::pages
