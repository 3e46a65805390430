#include "app/page_tab_ctrl.h"
#include "app_fixture.h"
#include "pages/drummer_page.h"
#include "pages/pattern_grid_editor.h"
#include "pages/tuner_page.h"
#include "resources/templates/drummer_page.h"
#include "resources/templates/tuner_page.h"
#include "uikit/dialog_builder.h"
#include "uikit/image_button.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <map>

namespace strumvale::test {
namespace {

// What worker threads report reaches the window as queued calls; these run
// under the thread sanitizer too.
class WorkerReports : public AppTest {
protected:
    // A strum whose every send fails, so the strum thread reports.
    void failingStrum(app::MainDialog& main) {
        midi->sendResult = platform::midi_result::InvalidHandle;
        sound::ChordPlayer& player = main.library().ChordPlayer;
        player.setHoldTime(0);
        player.setStrumDelay(0);
        player.strum(model::Chord("E", "E", "0 2 2 1 0 0"), model::Tuning::standard());
        player.waitUntilIdle();
    }
};

TEST_F(WorkerReports, AStrumFailureIsShownOnceOnTheUiThread) {
    app::MainDialog& main = start();
    ASSERT_TRUE(main.library().ChordPlayer.isOpen());
    failingStrum(main);
    EXPECT_TRUE(shown.empty()) << "nothing is shown from the strum thread itself";
    QApplication::processEvents();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].message.text, "Could not play the note!");
    EXPECT_TRUE(shown[0].onUiThread);
}

TEST_F(WorkerReports, AReportQueuedForAWindowThatWentIsDropped) {
    app::MainDialog& main = start();
    failingStrum(main);
    window.reset();
    QApplication::processEvents();
    EXPECT_TRUE(shown.empty());
}

TEST_F(WorkerReports, TheTunerLoopTakesStringsFromTheUiThreadAndEndsWithTheWindow) {
    using Id = resources::TunerId;
    app::MainDialog& main = start();
    pages::TunerPage& tuner = main.pageTabs().tunerPage();
    uikit::control<QCheckBox>(tuner, Id::LoopNotes)->setChecked(true);
    uikit::control<QSlider>(tuner, Id::NoteLength)->setValue(500);
    auto* fifth = uikit::control<uikit::ImageButton>(tuner, Id::String5Play);
    auto* fourth = uikit::control<uikit::ImageButton>(tuner, Id::String4Play);
    for (int i = 0; i < 200; ++i) {
        (i % 2 == 0 ? fifth : fourth)->click();
        QApplication::processEvents();
    }
    EXPECT_TRUE(tuner.isSounding());
    window.reset();

    // Every note that sounded was turned off again, and only the two
    // strings' notes sounded.
    std::map<unsigned, int> held;
    for (const auto& message : midi->messages()) {
        const unsigned status = message.packed & 0xF0;
        const unsigned note = (message.packed >> 8) & 0xFF;
        if (status == 0x90)
            ++held[note];
        if (status == 0x80)
            --held[note];
    }
    for (const auto& [note, count] : held) {
        EXPECT_TRUE(note == 45 || note == 50) << note;
        EXPECT_EQ(count, 0) << note;
    }
    EXPECT_TRUE(shown.empty());
}

TEST_F(WorkerReports, ADrumPatternShowsItsStepsAndCaptionFromItsWorkerAndEndsWithTheWindow) {
    using Id = resources::DrummerId;
    app::MainDialog& main = start();
    pages::DrummerPage& drummer = main.pageTabs().drummerPage();
    drummer.gridEditor().toggle(1, 1);
    uikit::control<QLineEdit>(drummer, Id::Tempo)->setText("595");
    uikit::control<QCheckBox>(drummer, Id::LoopPattern)->setChecked(true);
    auto* play = uikit::control<QPushButton>(drummer, Id::Play);
    play->click();
    ASSERT_TRUE(main.library().ChordPlayer.isPlaying());
    // The worker's caption and step marks reach the window as queued calls,
    // while the window edits the grid the worker reads.
    for (int i = 0; i < 200 && play->text() != "Stop"; ++i) {
        drummer.gridEditor().toggle(2, 1);
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    EXPECT_EQ(play->text(), "Stop");
    window.reset();
    EXPECT_TRUE(shown.empty());
}

} // namespace
} // namespace strumvale::test
