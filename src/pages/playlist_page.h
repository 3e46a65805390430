#pragma once

#include "pages/page.h"

namespace strumvale::pages {

class PlaylistPage : public Page {
    Q_OBJECT
public:
    explicit PlaylistPage(PageHost& host, QWidget* parent = nullptr);

    void retranslate() override;
    void refreshPlaylist();
    void addChord(const model::Chord& chord);
};

} // namespace strumvale::pages
