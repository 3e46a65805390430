#pragma once

#include <QTabWidget>
#include <array>
#include <string_view>

namespace strumvale::pages {
class PageHost;
class Page;
class ChordsTabsPage;
class PlaylistPage;
class ScalesPage;
class TunerPage;
class DrummerPage;
class EditorPage;
} // namespace strumvale::pages

namespace strumvale::app {

// The tab control of the main window and the owner of its six pages.
class PageTabCtrl : public QTabWidget {
    Q_OBJECT
public:
    static constexpr int kPageCount = 6;
    enum PageIndex : int { ChordsTabs, Playlist, Scales, Tuner, Drummer, Editor };
    // The language keys of the tab captions, in page order.
    static constexpr std::array<std::string_view, kPageCount> kCaptionKeys{
        "Chords and Tabs (Tab)", "Playlist (Tab)", "Scales (Tab)",
        "Guitar Tuner (Tab)",    "Drummer (Tab)",  "Editor (Tab)"};

    explicit PageTabCtrl(QWidget* parent = nullptr);
    // Deletes the pages in page order.
    ~PageTabCtrl() override;

    // Creates the six pages, each under a tab with its caption; page 0 is shown.
    void createPages(pages::PageHost& host, const std::array<QString, kPageCount>& captions);
    void deletePages();
    // The tab's caption; the control takes the shown page's caption as its name.
    void setCaption(int index, const QString& caption);

    pages::Page* page(int index) const { return pages_.at(static_cast<std::size_t>(index)); }
    pages::ChordsTabsPage& chordsTabsPage() const;
    pages::PlaylistPage& playlistPage() const;
    pages::ScalesPage& scalesPage() const;
    pages::TunerPage& tunerPage() const;
    pages::DrummerPage& drummerPage() const;
    pages::EditorPage& editorPage() const;

signals:
    // The user clicked the tab strip, after the click has been handled.
    void tabStripClicked();

private:
    void nameAfterShownPage();

    std::array<pages::Page*, kPageCount> pages_{};
};

} // namespace strumvale::app
