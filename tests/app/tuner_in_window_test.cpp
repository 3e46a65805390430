#include "app/page_tab_ctrl.h"
#include "app_fixture.h"
#include "pages/chords_tabs_page.h"
#include "pages/scales_page.h"
#include "pages/tuner_page.h"
#include "resources/templates/chords_tabs_page.h"
#include "resources/templates/main_dialog.h"
#include "resources/templates/scales_page.h"
#include "resources/templates/tuner_page.h"
#include "uikit/dialog_builder.h"
#include "uikit/image_button.h"

#include <QComboBox>
#include <QPushButton>

namespace strumvale::test {
namespace {

using TunerId = resources::TunerId;

TEST_F(AppTest, ATunerNoteHoldsSettingsAndExitLikeAStrum) {
    app::MainDialog& main = start();
    main.show();
    pages::TunerPage& tuner = main.pageTabs().tunerPage();
    uikit::control<uikit::ImageButton>(tuner, TunerId::String6Play)->click();
    ASSERT_TRUE(tuner.isSounding());
    bool settingsOpened = false;
    main.setSettingsDialogRunner([&](app::MainDialog&) { return settingsOpened = true; });
    uikit::control<uikit::ImageButton>(main, resources::MainDialogId::Settings)->click();
    uikit::control<uikit::ImageButton>(main, resources::MainDialogId::Exit)->click();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].message.text, "Please stop playing first.");
    EXPECT_EQ(shown[1].message.text, "Please stop playing first.");
    EXPECT_FALSE(settingsOpened);
    EXPECT_TRUE(main.isVisible());
    // Closing the window cuts the note short.
}

TEST_F(AppTest, TuningsEditedOnTheTunerReachTheOtherPages) {
    app::MainDialog& main = start();
    pages::TunerPage& tuner = main.pageTabs().tunerPage();
    uikit::control<QPushButton>(tuner, TunerId::New)->click();
    auto* chordsCombo = uikit::control<QComboBox>(main.pageTabs().chordsTabsPage(),
                                                  resources::ChordsTabsId::TuningCombo);
    auto* scalesCombo =
        uikit::control<QComboBox>(main.pageTabs().scalesPage(), resources::ScalesId::TuningCombo);
    EXPECT_EQ(chordsCombo->itemText(chordsCombo->count() - 1), "New Tuning");
    EXPECT_EQ(scalesCombo->itemText(scalesCombo->count() - 1), "New Tuning");
    EXPECT_TRUE(main.library().Modified);
}

} // namespace
} // namespace strumvale::test
