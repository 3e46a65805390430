#pragma once

#include "pages/page.h"

namespace strumvale::pages {

class ChordsTabsPage : public Page {
    Q_OBJECT
public:
    explicit ChordsTabsPage(PageHost& host, QWidget* parent = nullptr);

    void retranslate() override;
    void refreshChords();
    void refreshTunings();
};

} // namespace strumvale::pages
