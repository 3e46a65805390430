#include "app_fixture.h"

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

} // namespace
} // namespace strumvale::test
