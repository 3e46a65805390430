#pragma once

#include "pages/page.h"

namespace strumvale::pages {

class EditorPage : public Page {
    Q_OBJECT
public:
    explicit EditorPage(PageHost& host, QWidget* parent = nullptr);

    void retranslate() override;

private:
    // Scale mode (the scales entry of the key list) shows the scale panel;
    // chord mode the chordfile panel.
    bool scaleMode_ = false;
};

} // namespace strumvale::pages
