#pragma once

#include "pages/page.h"

namespace strumvale::pages {

class DrummerPage : public Page {
    Q_OBJECT
public:
    explicit DrummerPage(PageHost& host, QWidget* parent = nullptr);

    void retranslate() override;
    void refreshDrumPatterns();
};

} // namespace strumvale::pages
