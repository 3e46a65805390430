#include "app/about_box.h"
#include "app/chordfile_info_dialog.h"
#include "app/page_tab_ctrl.h"
#include "app/status_line.h"
#include "app_fixture.h"
#include "formats/settings_file.h"
#include "fretboard/fretboard_view.h"
#include "fretboard/staff_view.h"
#include "pages/chords_tabs_page.h"
#include "pages/drummer_page.h"
#include "pages/editor_page.h"
#include "pages/pattern_grid_editor.h"
#include "pages/playlist_page.h"
#include "pages/scales_page.h"
#include "pages/tuner_listening.h"
#include "pages/tuner_page.h"
#include "pages/tuning_meter.h"
#include "resources/templates/chords_tabs_page.h"
#include "resources/templates/drummer_page.h"
#include "resources/templates/editor_page.h"
#include "resources/templates/main_dialog.h"
#include "resources/templates/playlist_page.h"
#include "resources/templates/scales_page.h"
#include "resources/templates/tuner_page.h"
#include "settings/settings_dialog.h"
#include "sound/audio_inputs.h"
#include "uikit/dialog_builder.h"
#include "window_walk.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

namespace strumvale::test {
namespace {

QString accessibleText(QWidget* widget, QAccessible::Text kind) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face != nullptr ? face->text(kind) : QString();
}

QString nameOf(QWidget* widget) {
    return accessibleText(widget, QAccessible::Name);
}

// What a screen reader says for the widget, printable when a check fails.
std::string spokenName(QWidget* widget) {
    return nameOf(widget).toStdString();
}

std::string spokenDescription(QWidget* widget) {
    return accessibleText(widget, QAccessible::Description).toStdString();
}

// A name Qt derives from the control's caption counts; one that merely
// repeats its value (a drop-down list's entry, here) says nothing of what the
// control is for.
bool hasName(QWidget* widget) {
    if (!widget->accessibleName().trimmed().isEmpty())
        return true;
    const QString derived = nameOf(widget).trimmed();
    return !derived.isEmpty() && derived != accessibleText(widget, QAccessible::Value).trimmed();
}

// What a screen reader announces as something to read or operate; labels
// and frames are read through their captions.
bool isControl(const QWidget* widget) {
    return qobject_cast<const QAbstractButton*>(widget) != nullptr ||
           qobject_cast<const QComboBox*>(widget) != nullptr ||
           qobject_cast<const QLineEdit*>(widget) != nullptr ||
           qobject_cast<const QPlainTextEdit*>(widget) != nullptr ||
           qobject_cast<const QAbstractSpinBox*>(widget) != nullptr ||
           qobject_cast<const QAbstractSlider*>(widget) != nullptr ||
           qobject_cast<const QAbstractItemView*>(widget) != nullptr ||
           qobject_cast<const QTabWidget*>(widget) != nullptr ||
           qobject_cast<const QTabBar*>(widget) != nullptr ||
           qobject_cast<const fretboard::FretboardView*>(widget) != nullptr ||
           qobject_cast<const fretboard::StaffView*>(widget) != nullptr ||
           qobject_cast<const pages::PatternGridEditor*>(widget) != nullptr ||
           qobject_cast<const app::StatusLine*>(widget) != nullptr ||
           (qobject_cast<const QLabel*>(widget) != nullptr && widget->focusPolicy() != Qt::NoFocus);
}

// Scroll bars, viewports, inner edits and open lists belong to the control
// around them, which speaks for them.
bool isPartOfAControl(const QWidget* widget, const QWidget& window) {
    for (const QWidget* above = widget->parentWidget(); above != nullptr && above != &window;
         above = above->parentWidget()) {
        if (qobject_cast<const QAbstractSpinBox*>(above) != nullptr ||
            qobject_cast<const QComboBox*>(above) != nullptr ||
            qobject_cast<const QAbstractScrollArea*>(above) != nullptr ||
            qobject_cast<const QTabBar*>(above) != nullptr)
            return true;
    }
    return false;
}

// "window: Class 'control_id'" for every control of the window, as it is
// shown now, that a user can reach and a screen reader would announce without
// a name. A window without any control to check is reported too: the walk
// would prove nothing there.
QStringList unnamedControls(QWidget& window, const QString& where) {
    QStringList unnamed;
    int checked = 0;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!isControl(widget) || isPartOfAControl(widget, window) || !widget->isVisibleTo(&window))
            continue;
        if (!widget->isEnabled() && widget->focusPolicy() == Qt::NoFocus)
            continue;
        ++checked;
        if (!hasName(widget))
            unnamed << where + QStringLiteral(": ") +
                           QString::fromLatin1(widget->metaObject()->className()) +
                           QStringLiteral(" '") + widget->objectName() + QStringLiteral("'");
    }
    if (checked == 0)
        unnamed << where + QStringLiteral(": no control found");
    return unnamed;
}

class Accessibility : public AppTest {
protected:
    // Listening shows its controls whether or not the machine has a microphone.
    sound::ScopedAudioInputSystem noMicrophone{
        {[] { return std::vector<platform::AudioInputDevice>{}; },
         [](const std::string& id) -> std::unique_ptr<platform::AudioInput> {
             throw platform::AudioInputError(id, "No such device");
         }}};

    void SetUp() override {
        AppTest::SetUp();
        writeChordfileWithABeat("default.gtr");
    }

    // Every window a user meets, each in the states that show other controls.
    QStringList walkEverything(app::MainDialog& main) {
        QStringList unnamed;
        walkWindows(main, dir.file("Vårvisa 🎸.cho"), [&](QWidget& window, const QString& where) {
            unnamed += unnamedControls(window, where);
        });
        return unnamed;
    }
};

TEST_F(Accessibility, EveryControlAUserCanReachHasAName) {
    app::MainDialog& main = start();
    const QStringList unnamed = walkEverything(main);
    EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(QLatin1Char('\n')).toStdString();
}

TEST_F(Accessibility, NamesAreInTheLanguageInUse) {
    std::filesystem::create_directory("lang");
    std::filesystem::copy_file(std::string(STRUMVALE_TOOLS_DIR) + "/lang/svenska.lng",
                               "lang/svenska.lng");
    model::Settings settings;
    settings.Language = "svenska";
    writeFile("settings.xml", formats::settingsText(settings));
    app::MainDialog& main = start();

    const QStringList unnamed = walkEverything(main);
    EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(QLatin1Char('\n')).toStdString();
    app::PageTabCtrl& tabs = main.pageTabs();
    EXPECT_EQ(spokenName(uikit::control<QWidget>(main, resources::MainDialogId::ChordfileInfo)),
              "Om ackordfilen");
    EXPECT_EQ(spokenName(&tabs.chordsTabsPage().fretboardView()), "Greppbräda");
    EXPECT_EQ(spokenName(uikit::control<QWidget>(tabs.chordsTabsPage(),
                                                 resources::ChordsTabsId::CopyTabButton)),
              "Kopiera greppet till sökningen");
    EXPECT_EQ(
        spokenName(uikit::control<QWidget>(tabs.playlistPage(), resources::PlaylistId::Playlist)),
        "Spellista");
    // Qt on this platform reads a drop-down list's entry as its name.
    EXPECT_EQ(uikit::control<QWidget>(tabs.tunerPage(), resources::TunerId::String6Note)
                  ->accessibleName()
                  .toStdString(),
              "Sträng 6 (E)");
    pages::TunerListening& listening = tabs.tunerPage().listening();
    EXPECT_EQ(spokenName(&listening.inputs()), "Ingångsenhet");
    EXPECT_EQ(spokenName(&listening.meter()), "Stämningsmätare");
    tabs.setCurrentIndex(app::PageTabCtrl::Playlist);
    EXPECT_EQ(spokenName(&tabs), "Spellista") << "the tab control is named after the page shown";
}

TEST_F(Accessibility, DrawnViewsDescribeWhatTheyShowAsItChanges) {
    app::MainDialog& main = start();
    app::PageTabCtrl& tabs = main.pageTabs();

    pages::ChordsTabsPage& chords = tabs.chordsTabsPage();
    EXPECT_EQ(spokenDescription(&chords.fretboardView()), "x 3 2 0 1 0: C2 E2 G2 C3 E3");
    uikit::control<QListWidget>(chords, resources::ChordsTabsId::ChordList)->setCurrentRow(1);
    EXPECT_EQ(spokenDescription(&chords.fretboardView()), "x 3 2 3 1 0: C2 E2 A#2 C3 E3");

    pages::ScalesPage& scales = tabs.scalesPage();
    EXPECT_EQ(spokenDescription(&scales.fretboardView()), "C D E F G A B");
    uikit::control<QListWidget>(scales, resources::ScalesId::KeyList)->setCurrentRow(2);
    EXPECT_EQ(spokenDescription(&scales.fretboardView()), "D E F# G A B C#");

    pages::PlaylistPage& playlist = tabs.playlistPage();
    auto press = [&](resources::PlaylistId id) {
        uikit::control<QPushButton>(playlist, id)->click();
    };
    EXPECT_EQ(spokenDescription(&playlist.staffView()), "");
    press(resources::PlaylistId::Add);
    press(resources::PlaylistId::AddSeparator);
    uikit::control<QListWidget>(playlist, resources::PlaylistId::ChordList)->setCurrentRow(1);
    press(resources::PlaylistId::Add);
    press(resources::PlaylistId::Add);
    EXPECT_EQ(spokenDescription(&playlist.staffView()), "C | C7, C7");

    auto* grid = tabs.drummerPage().findChild<pages::PatternGridEditor*>();
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(spokenDescription(grid), "1: 1 5 9 13");
    // A click on step 3 of track 2.
    QTest::mouseClick(grid, Qt::LeftButton, {}, QPoint(125, 36));
    EXPECT_EQ(spokenDescription(grid), "1: 1 5 9 13; 2: 3");
}

} // namespace
} // namespace strumvale::test
