#pragma once

#include "pages/page.h"

namespace strumvale::pages {

class TunerPage : public Page {
    Q_OBJECT
public:
    explicit TunerPage(PageHost& host, QWidget* parent = nullptr);

    void retranslate() override;
    void refreshTunings();
};

} // namespace strumvale::pages
