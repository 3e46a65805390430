#include "app_fixture.h"
#include "window_walk.h"

#include <QAbstractButton>
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

// Tab pressed round the window from its first stop until the focus is back
// there: "where: ..." for each control reached twice, never reached, or
// reached though it should not be (hidden, disabled).
QStringList tabRound(QWidget& window, const QString& where) {
    window.show();
    QApplication::setActiveWindow(&window);
    std::map<const QObject*, QString> names;
    const std::vector<const QObject*> stops = tabStops(window, names);
    if (stops.empty())
        return {where + QStringLiteral(": no control to reach")};
    QWidget* first = nullptr;
    for (QWidget* widget : window.findChildren<QWidget*>())
        if (stopOf(widget) == stops.front() && (widget->focusPolicy() & Qt::TabFocus)) {
            first = widget;
            break;
        }
    if (first == nullptr)
        return {where + QStringLiteral(": the first control takes no focus")};
    first->setFocus(Qt::TabFocusReason);
    QStringList found;
    std::vector<const QObject*> reached;
    for (std::size_t press = 0; press <= 2 * stops.size(); ++press) {
        QWidget* focusWidget = QApplication::focusWidget();
        if (focusWidget == nullptr) {
            found << where + QStringLiteral(": the focus was lost");
            break;
        }
        const QObject* focused = stopHolding(focusWidget, stops);
        if (press > 0 && focused == stops.front())
            break;
        if (std::find(reached.begin(), reached.end(), focused) != reached.end())
            found << where + QStringLiteral(": reached twice: ") + nameOf(focusWidget);
        else
            reached.push_back(focused);
        if (std::find(stops.begin(), stops.end(), focused) == stops.end())
            found << where + QStringLiteral(": reached, though not shown to use: ") +
                         nameOf(focusWidget);
        QTest::keyClick(focusWidget, Qt::Key_Tab);
    }
    for (const QObject* stop : stops)
        if (std::find(reached.begin(), reached.end(), stop) == reached.end())
            found << where + QStringLiteral(": never reached: ") + names[stop];
    return found;
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
    walkWindows(main, dir.file("Vårvisa 🎸.cho"),
                [&](QWidget& window, const QString& where) { found += tabRound(window, where); });
    EXPECT_TRUE(found.isEmpty()) << found.join(QLatin1Char('\n')).toStdString();
}

} // namespace
} // namespace strumvale::test
