#include "formats/practice_log.h"
#include "library/chord_library.h"
#include "platform/file.h"
#include "platform/wav_file.h"
#include "practice/chord_diagram_view.h"
#include "practice/click_controls.h"
#include "practice/drill_panel.h"
#include "practice/practice_host.h"
#include "practice/practice_window.h"
#include "practice/progress_plot.h"
#include "practice/speed_controls.h"
#include "sound/audio_inputs.h"
#include "sound/live_pattern.h"
#include "support/dark_palette.h"
#include "support/guitar_strums.h"
#include "support/modal_seams.h"
#include "support/scoped_variable.h"
#include "support/sound_rig.h"
#include "support/temp_dir.h"
#include "uikit/chord_listening.h"
#include "uikit/text.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

namespace strumvale::test {
namespace {

using Lines = std::vector<std::string>;
using std::chrono::milliseconds;

// Hits on the first and ninth steps of the first track: a bass drum on
// beats 1 and 3 of a 4/4 bar.
class TwoBeatPattern final : public sound::LivePattern {
public:
    bool hit(int step, int track) override { return track == 1 && (step == 1 || step == 9); }
    int instrument(int) override { return 0; } // Acoustic Bass Drum, 35
    int volume(int) override { return 100; }
    int tempo() override { return 480; }
};

class Host final : public practice::PracticeHost {
public:
    explicit Host(ChordLibrary& library) : library_(library) {}
    ChordLibrary& library() override { return library_; }
    QString translate(std::string_view key) const override {
        return uikit::toQString(library_.Translate(key));
    }
    bool refuseWhilePlaying(const QString&) override { return library_.ChordPlayer.isPlaying(); }
    std::vector<std::string> songChordNames() override { return songChords; }
    sound::LivePattern& drummerPattern() override { return pattern; }
    bool drummerPatternLoaded() override { return patternLoaded; }

    std::vector<std::string> songChords;
    TwoBeatPattern pattern;
    bool patternLoaded = true;

private:
    ChordLibrary& library_;
};

// The practice window on the virtual clock, its log in a folder of its own.
class PracticeWindowTest : public ::testing::Test, protected SoundRig, protected ModalSeams {
protected:
    PracticeWindowTest() {
        library.LoadLanguage(model::kBuiltInLanguage);
        library.Reset();
        library.Chords.Add(model::Chord("C", "C", "x 3 2 0 1 0"));
        library.Chords.Add(model::Chord("G", "G", "3 2 0 0 0 3"));
        library.Chords.Add(model::Chord("D", "D", "x x 0 2 3 2"));
        library.ChordPlayer.setup(0, 0, 0, 127);
    }
    ~PracticeWindowTest() override { window.reset(); }

    practice::PracticeWindow& open() {
        window = std::make_unique<practice::PracticeWindow>(host);
        window->show();
        QApplication::processEvents();
        return *window;
    }
    // While the clicks play, their deadlines on the way are each met.
    void advanceTo(int ms) {
        const sound::Clock::TimePoint to{milliseconds(ms)};
        if (window && window->isPlaying())
            clock.runUntil([&] {
                QApplication::processEvents();
                return clock.now() >= to;
            });
        if (clock.now() < to)
            clock.advanceTo(to);
        QApplication::processEvents();
    }
    void stopAndFinish() {
        if (window->isPlaying())
            window->playButton().click();
        clock.runUntil([this] { return !window->isPlaying(); });
        QApplication::processEvents();
    }
    // "MS NN VV" for each click struck, at the time it is meant for.
    Lines clicks() {
        Lines result;
        for (const std::string& line : recorder->meantLines()) {
            const std::string meant = line.substr(line.find('>') + 1);
            if (meant.find(" 99 ") != std::string::npos)
                result.push_back(meant.substr(0, meant.find(' ')) +
                                 meant.substr(meant.find(' ') + 3));
        }
        return result;
    }
    void pick(const std::vector<const char*>& chords) {
        auto* choice = window->findChild<QComboBox*>("chordChoice");
        for (const char* chord : chords) {
            choice->setCurrentIndex(choice->findText(chord));
            window->findChild<QPushButton*>("addChord")->click();
        }
    }
    practice::DrillPanel& drill() { return window->drillPanel(); }

    TempDir data;
    ScopedVariable dataHome{"XDG_DATA_HOME", data.path()};
    ChordLibrary library{{.settingsFile = false, .openMidiDevice = false, .clock = &clock}};
    Host host{library};
    std::unique_ptr<practice::PracticeWindow> window;
};

TEST_F(PracticeWindowTest, PlayClicksTheMetreChosenAtTheTempoTappedIn) {
    open();
    practice::ClickControls& controls = window->clicks();
    controls.metreBox().setCurrentIndex(1); // 3/4
    // Four taps 600 ms apart: 100 beats a minute.
    for (int ms : {0, 600, 1200, 1800}) {
        advanceTo(ms);
        QTest::mousePress(&controls.tapButton(), Qt::LeftButton);
        QTest::mouseRelease(&controls.tapButton(), Qt::LeftButton);
    }
    EXPECT_EQ(controls.tempo(), 100);
    EXPECT_EQ(library.Settings.Practicetempo, 100) << "kept for the next time";
    window->playButton().click();
    EXPECT_EQ(window->playButton().text(), "Stop");
    const int start = 1800;
    advanceTo(start + 3700);
    stopAndFinish();
    EXPECT_EQ(window->playButton().text(), "Play");
    const Lines struck = clicks();
    ASSERT_GE(struck.size(), 7u);
    // The accent on each bar's first beat, 600 ms a beat.
    EXPECT_EQ(Lines(struck.begin(), struck.begin() + 7),
              (Lines{"1800 4c 7f", "2400 4d 60", "3000 4d 60", "3600 4c 7f", "4200 4d 60",
                     "4800 4d 60", "5400 4c 7f"}));
}

TEST_F(PracticeWindowTest, TheSpeedTrainerShowsEachTempoAsItRises) {
    open();
    practice::SpeedControls& speed = window->speed();
    speed.onBox().setChecked(true);
    window->findChild<QSpinBox*>("startTempo")->setValue(60);
    window->findChild<QSpinBox*>("tempoStep")->setValue(30);
    window->findChild<QSpinBox*>("everyLoops")->setValue(1);
    window->findChild<QSpinBox*>("targetTempo")->setValue(90);
    window->playButton().click();
    advanceTo(100);
    EXPECT_EQ(speed.tempoNow().text(), "Tempo now: 60");
    // A 4/4 bar at 60 is four seconds; the next at 90.
    advanceTo(4100);
    EXPECT_EQ(speed.tempoNow().text(), "Tempo now: 90");
    stopAndFinish();
    EXPECT_TRUE(speed.tempoNow().text().isEmpty());
}

// The Drummer page's pattern along with the clicks, at the metronome's tempo
// (its own 480 steps a minute aside) and getting faster with the trainer.
TEST_F(PracticeWindowTest, TheDrumPatternPlaysAlongAndSpeedsUpWithTheClicks) {
    open();
    auto* drums = window->findChild<QCheckBox*>("drumsAlong");
    ASSERT_NE(drums, nullptr);
    EXPECT_EQ(drums->text(), "Play the drum pattern along");
    drums->setChecked(true);
    window->speed().onBox().setChecked(true);
    window->findChild<QSpinBox*>("startTempo")->setValue(60);
    window->findChild<QSpinBox*>("tempoStep")->setValue(30);
    window->findChild<QSpinBox*>("everyLoops")->setValue(1);
    window->findChild<QSpinBox*>("targetTempo")->setValue(90);
    window->playButton().click();
    advanceTo(7000);
    stopAndFinish();
    Lines kicks;
    for (const std::string& line : recorder->meantLines()) {
        const std::string meant = line.substr(line.find('>') + 1);
        if (meant.find(" 99 23 ") != std::string::npos)
            kicks.push_back(meant.substr(0, meant.find(' ')));
    }
    // Beats 1 and 3 of a bar at 60, then of the bars at 90.
    ASSERT_GE(kicks.size(), 4u);
    EXPECT_EQ(Lines(kicks.begin(), kicks.begin() + 4), (Lines{"0", "2000", "4000", "5333"}));

    // Without a pattern on the Drummer page there is none to play along.
    host.patternLoaded = false;
    window->refresh();
    EXPECT_FALSE(drums->isEnabled());
}

TEST_F(PracticeWindowTest, SpaceCountsEachChangeAndAFullDrillIsLoggedAndPlotted) {
    open();
    pick({"G", "C"});
    EXPECT_EQ(drill().nowView().name(), "G");
    EXPECT_EQ(drill().nowView().tab(), "3 2 0 0 0 3");
    EXPECT_EQ(drill().nextView().name(), "C");
    drill().startButton().click();
    EXPECT_TRUE(drill().isRunning());
    EXPECT_EQ(drill().startButton().text(), "Stop drill");
    // A change every two seconds for the minute: thirty.
    for (int ms = 2000; ms <= 60000; ms += 2000) {
        advanceTo(ms - 1);
        QTest::keyClick(window.get(), Qt::Key_Space);
    }
    EXPECT_EQ(drill().nowView().name(), "G") << "an even number of changes";
    EXPECT_EQ(drill().drill()->changes(), 30);
    advanceTo(60000);
    drill().refresh();
    EXPECT_FALSE(drill().isRunning());
    EXPECT_EQ(drill().message().text(), "Logged: 30.0 changes a minute.");
    QTest::keyClick(window.get(), Qt::Key_Space);
    EXPECT_EQ(drill().drill()->changes(), 30) << "over: Space counts no more";

    const formats::PracticeLogRead log =
        formats::readPracticeLog(data.file("strumvale/practice-log.xml"));
    ASSERT_EQ(log.records.size(), 1u);
    EXPECT_EQ(log.records[0].chords, (std::vector<std::string>{"G", "C"}));
    EXPECT_EQ(log.records[0].changesPerMinute, 30.0);
    EXPECT_EQ(log.records[0].seconds, 60);
    ASSERT_EQ(drill().plot().days().size(), 1u);
    EXPECT_EQ(drill().plot().days()[0].changesPerMinute, 30.0);
    EXPECT_EQ(drill().suggestions().itemText(0), "G \u2013 C");

    // Stopped early: nothing is logged.
    drill().startButton().click();
    advanceTo(65000);
    drill().startButton().click();
    EXPECT_EQ(drill().message().text(), "Drill not logged: stopped early.");
    EXPECT_EQ(formats::readPracticeLog(data.file("strumvale/practice-log.xml")).records.size(), 1u);
}

TEST_F(PracticeWindowTest, WithClicksTheDrillStartsWhenTheCountInEnds) {
    open();
    pick({"G", "D", "C"});
    window->clicks().countInBox().setCurrentIndex(1);
    window->clicks().setTempo(120);
    window->findChild<QCheckBox*>("clicksAlong")->setChecked(true);
    drill().startButton().click();
    advanceTo(10);
    EXPECT_EQ(drill().counter().text(), "Counting in: 4");
    EXPECT_FALSE(drill().drill()) << "not yet";
    advanceTo(1600);
    EXPECT_EQ(drill().counter().text(), "Counting in: 1");
    // A bar of 4/4 at 120: the drill's minute starts at 2 s, with the bar after it.
    ASSERT_TRUE(clock.runUntil([&] {
        QApplication::processEvents();
        return drill().isRunning();
    }));
    EXPECT_GE(clock.now(), sound::Clock::TimePoint(milliseconds(2000)));
    EXPECT_LE(clock.now(), sound::Clock::TimePoint(milliseconds(2125))) << "within a step";
    EXPECT_TRUE(window->isPlaying()) << "the clicks go on through the drill";
    drill().startButton().click();
    clock.runUntil([this] { return !window->isPlaying(); });
    EXPECT_FALSE(window->isPlaying()) << "and end with it";
}

// A microphone standing in: C played right, then G right, then C with its
// open G string choked, over and over.
class DrillByEarTest : public PracticeWindowTest {
protected:
    DrillByEarTest() {
        using Notes = std::vector<std::optional<int>>;
        const Notes c{std::nullopt, 48, 52, 55, 60, 64};
        const Notes g{43, 47, 50, 55, 59, 67};
        Notes choked = c;
        choked[3].reset();
        platform::WavAudio audio;
        audio.sampleRate = kStrumRate;
        for (const auto& [notes, seed] : {std::pair{c, 1u}, {g, 2u}, {choked, 3u}}) {
            const std::vector<float> strum = pluckedStrum(notes, {.seed = seed}, 1.5);
            audio.samples.insert(audio.samples.end(), strum.begin(), strum.end());
        }
        platform::writeWav(data.file("strums.wav"), audio);
        input.emplace(sound::kAudioInputFileVariable, data.file("strums.wav"));
    }
    bool heard(int strums) {
        return clock.runUntil([&] {
            QApplication::processEvents();
            return drill().listening().strumsHeard() >= strums;
        });
    }

    std::optional<ScopedVariable> input;
    sound::ScopedAudioInputSystem system{
        {[] { return std::vector<platform::AudioInputDevice>{}; },
         [](const std::string& id) -> std::unique_ptr<platform::AudioInput> {
             throw platform::AudioInputError(id, "no such device");
         }}};
};

TEST_F(DrillByEarTest, OnlyTheNextChordHeardRightCountsAChange) {
    open();
    pick({"G", "C"});
    drill().listening().listenBox().click();
    ASSERT_TRUE(drill().listening().isListening());
    EXPECT_EQ(drill().hint().text(), "Play each change: it counts when it sounds right");
    drill().startButton().click();
    ASSERT_TRUE(drill().isRunning());
    // C then G are the changes asked for; the choked C is heard and not counted.
    ASSERT_TRUE(heard(3));
    EXPECT_EQ(drill().drill()->changes(), 2);
    EXPECT_EQ(drill().nowView().name(), "G");
    EXPECT_TRUE(drill().listening().findings().text().startsWith("String 3: G2 missing"))
        << drill().listening().findings().text().toStdString();
    QTest::keyClick(window.get(), Qt::Key_Space);
    EXPECT_EQ(drill().drill()->changes(), 2) << "listening, a key press is no clean change";
    ASSERT_TRUE(heard(6));
    EXPECT_EQ(drill().drill()->changes(), 4);

    // Closed, the window lets the microphone go.
    window->hide();
    EXPECT_FALSE(drill().listening().isListening());
    window->show();
    EXPECT_TRUE(drill().listening().isListening());
}

TEST_F(PracticeWindowTest, ADamagedLogIsSaidAndKeptAsideAtTheNextResult) {
    std::filesystem::create_directories(data.file("strumvale"));
    platform::replaceFile(data.file("strumvale/practice-log.xml"), "<Practicelog><Record>");
    open();
    EXPECT_EQ(drill().message().text(), "The practice log is damaged; it is kept as it was and a "
                                        "new one starts with the next result.");
    pick({"C"});
    drill().startButton().click();
    EXPECT_EQ(drill().message().text(), "Pick at least two chords.");
    pick({"D"});
    drill().setLengthSeconds(10);
    drill().startButton().click();
    advanceTo(10000);
    drill().refresh();
    EXPECT_NE(drill().message().text().indexOf("practice-log.damaged.xml"), -1)
        << drill().message().text().toStdString();
    std::string kept;
    ASSERT_TRUE(platform::readWholeFile(data.file("strumvale/practice-log.damaged.xml"), kept));
    EXPECT_EQ(kept, "<Practicelog><Record>");
}

TEST_F(PracticeWindowTest, ChoicesComeFromThePlaylistTheSongAndTheLibraryAndEveryControlIsNamed) {
    library.Playlist.append(model::Chord("A", "Am", "x 0 2 2 1 0"));
    host.songChords = {"Em", "C"};
    open();
    auto* choice = window->findChild<QComboBox*>("chordChoice");
    QStringList names;
    for (int i = 0; i < choice->count(); ++i)
        names << choice->itemText(i);
    EXPECT_EQ(names, (QStringList{"Am", "Em", "C", "G", "D"}));
    // A chord the library lacks takes the finder's shape.
    window->drill({"Em", "Am"});
    EXPECT_EQ(drill().nowView().tab(), "0 2 2 0 0 0");
    EXPECT_EQ(drill().nowView().accessibleDescription(), "Em, 0 2 2 0 0 0");
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (widget->focusPolicy() == Qt::NoFocus || !widget->isVisibleTo(window.get()))
            continue;
        if (qobject_cast<QAbstractButton*>(widget) != nullptr &&
            !qobject_cast<QAbstractButton*>(widget)->text().isEmpty())
            continue;
        if (widget->parentWidget() != nullptr &&
            qobject_cast<QAbstractSpinBox*>(widget->parentWidget()) != nullptr)
            continue; // a spin box's own line edit
        EXPECT_FALSE(widget->accessibleName().isEmpty())
            << widget->metaObject()->className() << " " << widget->objectName().toStdString();
    }
}

} // namespace
} // namespace strumvale::test

namespace strumvale::test {
namespace {

// Days are spaced as the calendar spaces them, and higher rates stand higher.
TEST(ProgressPlot, PlotsEachDayAtItsDateAndRate) {
    practice::ProgressPlot plot;
    plot.resize(420, 200);
    plot.setDays({{"2026-12-01", 10}, {"2026-12-03", 20}, {"2026-12-09", 40}});
    const std::vector<QPointF> points = plot.points();
    ASSERT_EQ(points.size(), 3u);
    const qreal span = points[2].x() - points[0].x();
    EXPECT_GT(span, 300);
    EXPECT_NEAR((points[1].x() - points[0].x()) / span, 0.25, 1e-9) << "two days of eight";
    EXPECT_GT(points[0].y(), points[1].y());
    EXPECT_GT(points[1].y(), points[2].y());
    EXPECT_EQ(plot.accessibleDescription(), "2026-12-01 10.0; 2026-12-03 20.0; 2026-12-09 40.0");
    QImage image(plot.size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    plot.render(&image);
    const QColor point = image.pixelColor(points[1].toPoint());
    EXPECT_EQ(point, plot.palette().color(QPalette::Highlight)) << "a point is drawn there";
}

// The large diagram on a dark palette: its grid, dots and marks drawn light
// in the palette's text colour, none in the black they have on paper.
TEST(ChordDiagramView, OnADarkPaletteTheDiagramIsDrawnLight) {
    practice::ChordDiagramView view;
    view.setPalette(darkPalette());
    view.resize(200, 280);
    view.setChord("G", "3 2 0 0 0 3");
    QImage image(view.size(), QImage::Format_RGB32);
    const QColor background = darkPalette().color(QPalette::Window);
    image.fill(background);
    view.render(&image);
    const QRect grid(0, image.height() / 2, image.width(), image.height() / 2);
    EXPECT_GE(bestContrastIn(image, grid, background), kGraphicsContrast);
    int darker = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            darker += uikit::relativeLuminance(image.pixelColor(x, y)) <
                      uikit::relativeLuminance(background) - 0.005;
    EXPECT_EQ(darker, 0) << "pixels darker than the background: black ink";
}

} // namespace
} // namespace strumvale::test
