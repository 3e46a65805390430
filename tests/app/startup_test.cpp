#include "app/page_tab_ctrl.h"
#include "app/status_line.h"
#include "app_fixture.h"
#include "formats/settings_file.h"
#include "pages/page.h"
#include "pages/scales_page.h"
#include "resources/templates/main_dialog.h"
#include "resources/templates/scales_page.h"
#include "uikit/dialog_builder.h"
#include "uikit/image_button.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QStyle>
#include <QTabBar>
#include <QTest>

namespace strumvale::test {
namespace {

using Id = resources::MainDialogId;

QString buttonText(const app::MainDialog& window, Id id) {
    return uikit::control<uikit::ImageButton>(window, id)->text();
}

void writeSettings(const std::function<void(model::Settings&)>& edit) {
    model::Settings settings;
    edit(settings);
    std::ofstream("settings.xml", std::ios::binary) << formats::settingsText(settings);
}

TEST_F(AppTest, StartsWithTheDefaultChordfileBesideIt) {
    writeChordfile("default.gtr");
    app::MainDialog& main = start();

    EXPECT_EQ(main.windowTitle(), "Strumvale");
    EXPECT_TRUE(main.library().Loaded);
    EXPECT_EQ(main.library().Chords.Count(), 2);
    EXPECT_EQ(main.statusLine().text(), QString::fromStdString(dir.path() + "/default.gtr"));
    EXPECT_TRUE(shown.empty());

    const app::PageTabCtrl& tabs = main.pageTabs();
    ASSERT_EQ(tabs.count(), 6);
    EXPECT_EQ(tabs.tabText(0), " Chords and Tabs ");
    EXPECT_EQ(tabs.tabText(1), "    Playlist    ");
    EXPECT_EQ(tabs.tabText(2), "      Scales      ");
    EXPECT_EQ(tabs.tabText(5), "    Editor    ");
    EXPECT_EQ(tabs.currentIndex(), 0);

    EXPECT_EQ(buttonText(main, Id::Open), "Open");
    EXPECT_EQ(buttonText(main, Id::Settings), "Settings");
    EXPECT_EQ(buttonText(main, Id::Exit), "Exit");
    // The chord player got the settings' device and values.
    EXPECT_EQ(midi->openPorts(), 1);
    EXPECT_EQ(main.library().ChordPlayer.strumDelay(), 200);
    EXPECT_EQ(main.library().ChordPlayer.holdTime(), 500);
}

TEST_F(AppTest, StartsEmptyWithoutADefaultChordfile) {
    app::MainDialog& main = start();
    EXPECT_FALSE(main.library().Loaded);
    EXPECT_EQ(main.statusLine().text(), "No Chordfile loaded...");
    // A failed read leaves only the standard tuning.
    ASSERT_EQ(main.library().Tunings.Count(), 1);
    EXPECT_EQ(main.library().Tunings.GetAt(0)->Name, "Standard (E-A-D-G-B-E)");
    EXPECT_TRUE(shown.empty());
}

TEST_F(AppTest, OnlyTheExactDefaultSettingLoadsTheDefaultChordfile) {
    writeChordfile("default.gtr");
    writeSettings([](model::Settings& settings) { settings.Startupchordfile = "default"; });
    app::MainDialog& main = start();
    EXPECT_FALSE(main.library().Loaded);
    EXPECT_EQ(main.library().Tunings.Count(), 0);
    EXPECT_EQ(main.statusLine().text(), "No Chordfile loaded...");
}

TEST_F(AppTest, ADamagedDefaultChordfileIsReportedAndStartUpGoesOn) {
    writeFile("default.gtr", "this is not an archive at all");
    app::MainDialog& main = start();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].message.icon, uikit::MessageIcon::Stop);
    EXPECT_EQ(shown[0].message.text,
              "The central directory was not found in the archive (or you were trying to open "
              "not the last disk of a multi-disk archive)");
    EXPECT_FALSE(main.library().Loaded);
    EXPECT_EQ(main.pageTabs().count(), 6);
    EXPECT_EQ(main.statusLine().text(), "No Chordfile loaded...");
}

TEST_F(AppTest, TheStatusLineEndsInAnEllipsisWhenThePathIsTooLong) {
    app::MainDialog& main = start();
    main.statusLine().setText(QString(400, 'a'));
    EXPECT_TRUE(main.statusLine().shownText().endsWith(QChar(0x2026)));
    EXPECT_LT(main.statusLine().shownText().size(), 400);
}

TEST_F(AppTest, SettingsAreWrittenAtEveryOrderlyEnd) {
    start();
    window.reset();
    EXPECT_EQ(readFile(dir.file("settings.xml")), formats::settingsText(model::Settings()));
}

TEST_F(AppTest, TheLanguageFollowsTheSettingThenTheSwedishLocale) {
    const std::string swedish = std::string(STRUMVALE_TOOLS_DIR) + "/lang/svenska.lng";
    std::filesystem::create_directory("lang");
    std::filesystem::copy_file(swedish, "lang/svenska.lng");

    setLocale("sv_SE.UTF-8");
    {
        app::MainDialog& main = start();
        EXPECT_NE(buttonText(main, Id::Open), "Open");
        EXPECT_NE(main.pageTabs().tabText(2), "      Scales      ");
        window.reset();
    }
    // A chosen language that is missing falls back to English, whatever the locale.
    writeSettings([](model::Settings& settings) { settings.Language = "klingon"; });
    {
        app::MainDialog& main = start();
        EXPECT_EQ(buttonText(main, Id::Open), "Open");
        window.reset();
    }
    // The chosen language wins over the locale.
    writeSettings([](model::Settings& settings) { settings.Language = "svenska"; });
    setLocale("en_GB.UTF-8");
    {
        app::MainDialog& main = start();
        EXPECT_NE(buttonText(main, Id::Open), "Open");
    }
    EXPECT_TRUE(shown.empty());
}

// The padded captions must not push tabs out of the strip, nor may fitting
// them cut a caption, in the longest language we ship.
TEST_F(AppTest, EveryTabCaptionIsWholeAndAllTabsFitTheStrip) {
    std::filesystem::create_directory("lang");
    std::filesystem::copy_file(std::string(STRUMVALE_TOOLS_DIR) + "/lang/svenska.lng",
                               "lang/svenska.lng");
    for (const char* locale : {"C", "sv_SE.UTF-8"}) {
        setLocale(locale);
        app::MainDialog& main = start();
        main.show();
        QApplication::processEvents();
        const QTabBar* bar = main.pageTabs().tabBar();
        const QFontMetrics metrics = bar->fontMetrics();
        // The style keeps this much of a tab for its own margins.
        const int margins = bar->style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, bar);
        for (int index = 0; index < bar->count(); ++index) {
            EXPECT_GE(bar->tabRect(index).width(),
                      metrics.horizontalAdvance(bar->tabText(index).trimmed()) + margins)
                << locale << " " << bar->tabText(index).toStdString();
        }
        EXPECT_LE(bar->tabRect(bar->count() - 1).right(), main.pageTabs().width()) << locale;
        window.reset();
    }
}

TEST_F(AppTest, TheHelpButtonOpensTheReadMeBesideTheProgram) {
    app::MainDialog& main = start();
    uikit::control<uikit::ImageButton>(main, Id::Help)->click();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QString::fromStdString(dir.path() + "/readme.html"));
    // A failure to open is silent.
    uikit::setShellOpenHandler([](const QString&) { return uikit::kOpenFileNotFound; });
    uikit::control<uikit::ImageButton>(main, Id::Help)->click();
    EXPECT_TRUE(shown.empty());
}

TEST_F(AppTest, SwitchingWithTheKeyboardShowsThePageToo) {
    app::MainDialog& main = start();
    main.show();
    QTabBar* bar = main.pageTabs().tabBar();
    bar->setFocus();
    QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    QApplication::sendEvent(bar, &right);
    EXPECT_EQ(main.pageTabs().currentIndex(), 1);
    EXPECT_TRUE(main.pageTabs().page(1)->isVisible());
    EXPECT_FALSE(main.pageTabs().page(0)->isVisible());
}

TEST_F(AppTest, ClickingTheScalesTabAfterAnEditRefillsTheScales) {
    writeChordfile("default.gtr");
    app::MainDialog& main = start();
    main.show();
    QTabBar* bar = main.pageTabs().tabBar();
    auto* list = main.pageTabs().scalesPage().control<QListWidget>(resources::ScalesId::ScaleList);
    auto addScale = [&main](const std::string& name) {
        model::Scale scale;
        scale.Name = name;
        main.library().Scales.Add(scale);
    };
    auto clickTab = [bar](int index) {
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
        QApplication::processEvents();
    };

    addScale("Blues");
    clickTab(2);
    EXPECT_EQ(list->count(), 1); // unchanged: nothing was marked as edited
    main.library().Modified = true;
    clickTab(2);
    EXPECT_EQ(list->count(), 2);
    // Every later click on the strip refills again while the flag stays set.
    addScale("Dorian");
    clickTab(2);
    EXPECT_EQ(list->count(), 3);
    EXPECT_EQ(main.pageTabs().currentIndex(), 2);
}

} // namespace
} // namespace strumvale::test
