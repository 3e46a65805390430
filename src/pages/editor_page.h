#pragma once

#include "pages/page.h"

namespace strumvale::pages {

class EditorPage : public Page {
    Q_OBJECT
public:
    explicit EditorPage(PageHost& host, QWidget* parent = nullptr);

    void retranslate() override;
};

} // namespace strumvale::pages
