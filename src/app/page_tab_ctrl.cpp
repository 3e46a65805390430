#include "app/page_tab_ctrl.h"

#include "pages/chords_tabs_page.h"
#include "pages/drummer_page.h"
#include "pages/editor_page.h"
#include "pages/playlist_page.h"
#include "pages/scales_page.h"
#include "pages/tuner_page.h"

#include <QFontMetrics>
#include <QTabBar>

namespace strumvale::app {
namespace {

// The captions are padded with spaces to widen the tabs. Where the style's
// own margins would push the last tabs out of the strip, the padding gives
// way first, in the same share on every tab, so each caption stays whole.
class FittingTabBar : public QTabBar {
public:
    using QTabBar::QTabBar;

protected:
    QSize tabSizeHint(int index) const override {
        QSize size = QTabBar::tabSizeHint(index);
        const QWidget* frame = parentWidget();
        if (frame == nullptr || count() == 0)
            return size;
        const int available = frame->width() - 2;
        int natural = 0;
        int least = 0;
        for (int each = 0; each < count(); ++each) {
            natural += QTabBar::tabSizeHint(each).width();
            least += leastWidth(each);
        }
        if (natural <= available)
            return size;
        const int mine = leastWidth(index);
        if (least >= available || natural == least) {
            size.setWidth(mine * available / qMax(1, least));
        } else {
            const int padding = size.width() - mine;
            size.setWidth(mine + padding * (available - least) / (natural - least));
        }
        return size;
    }

private:
    // The tab's width with its caption's padding taken away.
    int leastWidth(int index) const {
        const QString caption = tabText(index);
        const QFontMetrics metrics = fontMetrics();
        const int padding =
            metrics.horizontalAdvance(caption) - metrics.horizontalAdvance(caption.trimmed());
        return QTabBar::tabSizeHint(index).width() - padding;
    }
};

} // namespace

PageTabCtrl::PageTabCtrl(QWidget* parent) : QTabWidget(parent) {
    setTabBar(new FittingTabBar(this));
    tabBar()->setUsesScrollButtons(false);
    tabBar()->setElideMode(Qt::ElideNone);
    // Tab stops at the strip itself, where the window orders it; the control
    // around it, handing its focus to the strip, would be a second stop
    // that jumps there from wherever it stands in the chain.
    setFocusPolicy(Qt::NoFocus);
    setFocusProxy(nullptr);
    tabBar()->setFocusPolicy(Qt::TabFocus);
    // Queued, so the page the click selects is already the current one. A
    // click hands the keyboard to the page; switching with the arrow keys
    // leaves it on the tab strip, so the user can go on choosing.
    connect(
        tabBar(), &QTabBar::tabBarClicked, this,
        [this] {
            if (currentWidget() != nullptr)
                currentWidget()->setFocus();
            emit tabStripClicked();
        },
        Qt::QueuedConnection);
    connect(this, &QTabWidget::currentChanged, this, [this] { nameAfterShownPage(); });
}

PageTabCtrl::~PageTabCtrl() {
    deletePages();
}

void PageTabCtrl::createPages(pages::PageHost& host,
                              const std::array<QString, kPageCount>& captions) {
    pages_ = {new pages::ChordsTabsPage(host), new pages::PlaylistPage(host),
              new pages::ScalesPage(host),     new pages::TunerPage(host),
              new pages::DrummerPage(host),    new pages::EditorPage(host)};
    for (int index = 0; index < kPageCount; ++index) {
        addTab(page(index), captions.at(static_cast<std::size_t>(index)));
    }
    setCurrentIndex(ChordsTabs);
}

// In page order: the playlist, which plays along with the drummer's pattern,
// ends its performance before the Drummer page goes.
void PageTabCtrl::deletePages() {
    for (pages::Page*& each : pages_) {
        delete each;
        each = nullptr;
    }
}

void PageTabCtrl::setCaption(int index, const QString& caption) {
    setTabText(index, caption);
    nameAfterShownPage();
}

void PageTabCtrl::nameAfterShownPage() {
    // Without the spaces that widen the tabs.
    setAccessibleName(currentIndex() >= 0 ? tabText(currentIndex()).trimmed() : QString());
}

pages::ChordsTabsPage& PageTabCtrl::chordsTabsPage() const {
    return static_cast<pages::ChordsTabsPage&>(*page(ChordsTabs));
}
pages::PlaylistPage& PageTabCtrl::playlistPage() const {
    return static_cast<pages::PlaylistPage&>(*page(Playlist));
}
pages::ScalesPage& PageTabCtrl::scalesPage() const {
    return static_cast<pages::ScalesPage&>(*page(Scales));
}
pages::TunerPage& PageTabCtrl::tunerPage() const {
    return static_cast<pages::TunerPage&>(*page(Tuner));
}
pages::DrummerPage& PageTabCtrl::drummerPage() const {
    return static_cast<pages::DrummerPage&>(*page(Drummer));
}
pages::EditorPage& PageTabCtrl::editorPage() const {
    return static_cast<pages::EditorPage&>(*page(Editor));
}

} // namespace strumvale::app
