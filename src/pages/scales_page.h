#pragma once

#include "pages/page.h"

namespace strumvale::pages {

class ScalesPage : public Page {
    Q_OBJECT
public:
    explicit ScalesPage(PageHost& host, QWidget* parent = nullptr);

    void retranslate() override;
    void refreshScales();
    void refreshTunings();
    void showSelectedScale();
};

} // namespace strumvale::pages
