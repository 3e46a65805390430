#include "app_fixture.h"
#include "resources/templates/main_dialog.h"
#include "window_walk.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QButtonGroup>
#include <QTest>
#include <algorithm>
#include <map>
#include <vector>

namespace strumvale::test {
namespace {

// "Class 'name'", as a failure names a control.
QString nameOf(const QWidget* widget) {
    return QString::fromLatin1(widget->metaObject()->className()) + QStringLiteral(" '") +
           widget->objectName() + QStringLiteral("'");
}

// One stop of the Tab round: a control, or a group of buttons one of which
// is checked (radio buttons, the settings' page buttons), which Tab enters
// once at the button last used and whose buttons the arrows move between.
const QObject* stopOf(QWidget* widget) {
    if (auto* button = qobject_cast<QAbstractButton*>(widget); button && button->isCheckable()) {
        if (button->group() != nullptr && button->group()->exclusive())
            return button->group();
        if (button->autoExclusive())
            return button->parentWidget();
    }
    return widget;
}

// The stops of window, as it is shown now, that a keyboard user must be able
// to reach with Tab: each control shown, enabled and taking the focus.
std::vector<const QObject*> tabStops(QWidget& window, std::map<const QObject*, QString>& names) {
    std::vector<const QObject*> stops;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        const bool grouped = stopOf(widget) != widget;
        // A group's buttons give up Tab to the one last used.
        const Qt::FocusPolicy needed = grouped ? Qt::ClickFocus : Qt::TabFocus;
        if (!widget->isVisibleTo(&window) || !widget->isEnabled() ||
            (widget->focusPolicy() & needed) != needed || widget->focusProxy() != nullptr)
            continue;
        const QObject* stop = stopOf(widget);
        if (std::find(stops.begin(), stops.end(), stop) == stops.end()) {
            stops.push_back(stop);
            names[stop] = nameOf(widget);
        }
    }
    return stops;
}

// The stop that holds the focus: a spin box's edit speaks for its box.
const QObject* stopHolding(QWidget* focused, const std::vector<const QObject*>& stops) {
    for (QWidget* at = focused; at != nullptr; at = at->parentWidget())
        if (std::find(stops.begin(), stops.end(), stopOf(at)) != stops.end())
            return stopOf(at);
    return focused;
}

// What one round of Tab presses found: the controls in the order reached,
// and "where: ..." for each reached twice, never reached, or reached though
// it should not be (hidden, disabled).
struct TabRound {
    std::vector<QWidget*> reached;
    QStringList faults;
};

// Tab pressed round the window from start (its first stop when none) until
// the focus is back there.
TabRound tabRound(QWidget& window, const QString& where, QWidget* start = nullptr) {
    window.show();
    QApplication::setActiveWindow(&window);
    std::map<const QObject*, QString> names;
    const std::vector<const QObject*> stops = tabStops(window, names);
    if (stops.empty())
        return {{}, {where + QStringLiteral(": no control to reach")}};
    for (QWidget* widget : window.findChildren<QWidget*>())
        if (start == nullptr && stopOf(widget) == stops.front() &&
            (widget->focusPolicy() & Qt::TabFocus))
            start = widget;
    if (start == nullptr)
        return {{}, {where + QStringLiteral(": the first control takes no focus")}};
    start->setFocus(Qt::TabFocusReason);
    TabRound round;
    std::vector<const QObject*> reached;
    for (std::size_t press = 0; press <= 2 * stops.size(); ++press) {
        QWidget* focusWidget = QApplication::focusWidget();
        if (focusWidget == nullptr) {
            round.faults << where + QStringLiteral(": the focus was lost");
            break;
        }
        const QObject* focused = stopHolding(focusWidget, stops);
        if (press > 0 && focused == stopOf(start))
            break;
        if (std::find(reached.begin(), reached.end(), focused) != reached.end())
            round.faults << where + QStringLiteral(": reached twice: ") + nameOf(focusWidget);
        reached.push_back(focused);
        round.reached.push_back(focusWidget);
        if (std::find(stops.begin(), stops.end(), focused) == stops.end())
            round.faults << where + QStringLiteral(": reached, though not shown to use: ") +
                                nameOf(focusWidget);
        QTest::keyClick(focusWidget, Qt::Key_Tab);
    }
    for (const QObject* stop : stops)
        if (std::find(reached.begin(), reached.end(), stop) == reached.end())
            round.faults << where + QStringLiteral(": never reached: ") + names[stop];
    return round;
}

// What a screen reader calls each control, in the order Tab reached them.
QStringList spokenNames(const std::vector<QWidget*>& widgets) {
    QStringList names;
    for (QWidget* widget : widgets) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
        const QString given = widget->accessibleName();
        names << (!given.isEmpty() ? given
                                   : (face != nullptr ? face->text(QAccessible::Name) : QString()))
                     .trimmed();
    }
    return names;
}

std::string joined(const QStringList& names) {
    return names.join(QStringLiteral(", ")).toStdString();
}

class TabOrder : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        writeChordfile("default.gtr");
    }
};

// Without a mouse: Tab goes round every control of each page and window once,
// and back to the first.
TEST_F(TabOrder, TabReachesEveryControlOfEachWindowOnce) {
    app::MainDialog& main = start();
    QStringList found;
    walkWindows(main, dir.file("Vårvisa 🎸.cho"), [&](QWidget& window, const QString& where) {
        found += tabRound(window, where).faults;
    });
    EXPECT_TRUE(found.isEmpty()) << found.join(QLatin1Char('\n')).toStdString();
}

// The main window reads as it is laid out: the commands along the top, the
// tab strip, the page shown, then the row at the bottom; a page from its
// drawing down through its groups, whatever order its controls were made in.
TEST_F(TabOrder, TabGoesThroughTheMainWindowAsItReads) {
    app::MainDialog& main = start();
    QWidget* open = uikit::control<QWidget>(main, resources::MainDialogId::Open);
    const QStringList top{"Open", "Save", "Print", "Settings", "Help", "About", "Chords and Tabs"};
    const QStringList bottom{"Chordfile Information", "Practice", "Exit"};
    app::PageTabCtrl& tabs = main.pageTabs();
    for (int page = 0; page < app::PageTabCtrl::kPageCount; ++page) {
        tabs.setCurrentIndex(page);
        const QString caption = tabs.tabText(page).trimmed();
        const TabRound round = tabRound(main, caption, open);
        EXPECT_TRUE(round.faults.isEmpty()) << round.faults.join(QLatin1Char('\n')).toStdString();
        const QStringList names = spokenNames(round.reached);
        ASSERT_GT(names.size(), top.size() + bottom.size()) << caption.toStdString();
        QStringList expectedTop = top;
        expectedTop.last() = caption;
        EXPECT_EQ(joined(names.mid(0, top.size())), joined(expectedTop));
        EXPECT_EQ(joined(names.mid(names.size() - bottom.size())), joined(bottom));
        for (QWidget* reached : round.reached)
            if (reached->window() != &main ||
                (tabs.isAncestorOf(reached) && reached != tabs.tabBar() &&
                 !tabs.page(page)->isAncestorOf(reached)))
                ADD_FAILURE() << caption.toStdString() << ": another page's control";
    }
    tabs.setCurrentIndex(app::PageTabCtrl::ChordsTabs);
    const QStringList page = spokenNames(tabRound(main, QString(), open).reached).mid(top.size());
    EXPECT_EQ(joined(page.mid(0, page.size() - bottom.size())),
              "Fretboard, Hide, Listen, Keys, Chords, Add to List, Play, Tuning, Search, "
              "Copy the tab to the search, Show Result");
}

} // namespace
} // namespace strumvale::test
