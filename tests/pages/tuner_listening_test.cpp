#include "page_rig.h"
#include "pages/tuner_listening.h"
#include "pages/tuner_page.h"
#include "pages/tuning_meter.h"
#include "resources/templates/tuner_page.h"
#include "sound/audio_inputs.h"
#include "support/scoped_variable.h"
#include "support/temp_dir.h"
#include "support/tone_file.h"
#include "uikit/dialog_builder.h"
#include "uikit/image_button.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <gtest/gtest.h>
#include <optional>

namespace strumvale::test {
namespace {

// A microphone that hears a WAV file and is pulled out after some reads.
class PulledOutInput final : public platform::AudioInput {
public:
    PulledOutInput(std::unique_ptr<platform::AudioInput> file, int reads)
        : file_(std::move(file)), readsLeft_(reads) {}
    int sampleRate() const override { return file_->sampleRate(); }
    std::size_t read(std::span<float> samples) override { return readOrStop(samples, {}); }
    std::size_t readOrStop(std::span<float> samples, std::stop_token stop) override {
        if (readsLeft_-- <= 0)
            throw platform::AudioInputError("mic", "Device mic was disconnected");
        return file_->readOrStop(samples, stop);
    }

private:
    std::unique_ptr<platform::AudioInput> file_;
    int readsLeft_;
};

// The Guitar Tuner page listening to a WAV file as its input device, on a
// library whose player and input sleep on a virtual clock. The machine's own
// capture devices are replaced by systemDevices, whose "mic" hears micFile
// until it is pulled out after micReads reads.
class TunerListeningTest : public ::testing::Test {
protected:
    TunerListeningTest() {
        library.LoadLanguage(model::kBuiltInLanguage);
        library.Reset();
        library.ChordPlayer.setup(0, 0, 0, 127);
    }

    pages::TunerPage& start(const std::string& inputFile) {
        inputFileVariable.emplace(sound::kAudioInputFileVariable, inputFile);
        page = std::make_unique<pages::TunerPage>(host);
        return *page;
    }
    pages::TunerListening& listening() { return page->listening(); }
    // Lets the input hand out audio until the page shows what holds.
    bool runUntil(const std::function<bool()>& shown) {
        return clock.runUntil([&] {
            QApplication::processEvents();
            return shown();
        });
    }
    bool heardSomething() {
        return runUntil([&] { return !listening().heardNote().text().isEmpty(); });
    }

    std::unique_ptr<platform::AudioInput> openSystemDevice(const std::string& id) {
        if (id != "mic")
            throw platform::AudioInputError(id, "Nie ma takiego urządzenia");
        return std::make_unique<PulledOutInput>(sound::openFileInput(micFile, clock), micReads);
    }

    TempDir dir;
    std::optional<ScopedVariable> inputFileVariable;
    sound::VirtualClock clock;
    std::vector<platform::AudioInputDevice> systemDevices;
    std::string micFile;
    int micReads = 1'000'000;
    sound::ScopedAudioInputSystem system{
        {[this] { return systemDevices; },
         [this](const std::string& id) { return openSystemDevice(id); }}};
    std::shared_ptr<RecordingMidi> recorder = std::make_shared<RecordingMidi>(clock, 1);
    platform::ScopedMidiProviders scope{{recorder}};
    ChordLibrary library{{.settingsFile = false, .openMidiDevice = false, .clock = &clock}};
    FakeHost host{library};
    std::unique_ptr<pages::TunerPage> page;
};

TEST_F(TunerListeningTest, ListeningNamesTheNoteItsCentsAndItsString) {
    writeToneFile(dir.file("low a.wav"), detuned(45, 8.0), 1.0);
    start(dir.file("low a.wav"));
    pages::TunerListening& tuner = listening();
    EXPECT_EQ(tuner.listenBox().text(), "Listen");
    EXPECT_TRUE(tuner.meter().isHidden()) << "the strings are drawn until Listen is ticked";

    tuner.listenBox().click();
    EXPECT_FALSE(tuner.meter().isHidden());
    ASSERT_GE(tuner.inputs().count(), 1);
    EXPECT_EQ(tuner.inputs().currentText(), "low a.wav");
    EXPECT_EQ(tuner.inputs().accessibleName(), "Input device");
    ASSERT_TRUE(heardSomething());
    EXPECT_TRUE(tuner.heardNote().text().startsWith("A1  +"))
        << tuner.heardNote().text().toStdString();
    EXPECT_TRUE(tuner.heardNote().text().endsWith(" cents"));
    ASSERT_TRUE(tuner.meter().cents());
    EXPECT_NEAR(*tuner.meter().cents(), 8.0, 1.5);
    EXPECT_FALSE(tuner.inTune());
    EXPECT_EQ(tuner.matchedString(), 5);
    EXPECT_EQ(tuner.status().text(), "String 5 (A)");
    // A screen reader gets the note, the cents and the string in one text.
    EXPECT_TRUE(tuner.heardNote().accessibleDescription().contains("String 5 (A)"));

    // A reference note pauses listening; when it has sounded, listening goes on.
    uikit::control<uikit::ImageButton>(*page, resources::TunerId::String5Play)->click();
    QApplication::processEvents();
    EXPECT_TRUE(tuner.heardNote().text().isEmpty());
    EXPECT_FALSE(tuner.meter().cents());
    ASSERT_TRUE(runUntil([&] { return !page->isSounding(); }));
    ASSERT_TRUE(heardSomething());
    EXPECT_EQ(tuner.matchedString(), 5);

    tuner.listenBox().click();
    EXPECT_FALSE(tuner.isListening());
    EXPECT_TRUE(tuner.meter().isHidden());
    EXPECT_FALSE(tuner.matchedString());
}

TEST_F(TunerListeningTest, AHiddenPageLetsTheInputGoAndTakesItAgainWhenShown) {
    writeToneFile(dir.file("b.wav"), detuned(59, -4.0), 1.0);
    start(dir.file("b.wav"));
    page->show();
    listening().listenBox().click();
    ASSERT_TRUE(heardSomething());
    EXPECT_EQ(listening().matchedString(), 2);

    page->hide(); // another page is chosen
    EXPECT_FALSE(listening().isListening());
    QApplication::processEvents(); // nothing heard before it was hidden shows after
    EXPECT_TRUE(listening().heardNote().text().isEmpty());
    page->show();
    EXPECT_TRUE(listening().isListening());
    ASSERT_TRUE(heardSomething());
    EXPECT_EQ(listening().matchedString(), 2);

    // Switched off while hidden, it stays off when shown.
    page->hide();
    listening().listenBox().click();
    page->show();
    EXPECT_FALSE(listening().isListening());
}

TEST_F(TunerListeningTest, AnInTuneNoteSaysSo) {
    writeToneFile(dir.file("e.wav"), detuned(64, 0.5), 1.0); // E3, the top string
    start(dir.file("e.wav"));
    listening().listenBox().click();
    ASSERT_TRUE(heardSomething());
    EXPECT_TRUE(listening().inTune()) << listening().heardNote().text().toStdString();
    EXPECT_EQ(listening().matchedString(), 1);
    EXPECT_EQ(listening().status().text(), "In tune \u00B7 String 1 (E)");
}

TEST_F(TunerListeningTest, ANoteOfNoStringIsShownChromaticallyAndNeverInTune) {
    writeToneFile(dir.file("f sharp.wav"), detuned(54, 0.0), 1.0); // F#2, below the G string
    start(dir.file("f sharp.wav"));
    listening().listenBox().click();
    ASSERT_TRUE(heardSomething());
    EXPECT_TRUE(listening().heardNote().text().startsWith("F#2  +0.0"));
    ASSERT_TRUE(listening().meter().cents());
    EXPECT_NEAR(*listening().meter().cents(), 0.0, 1.5) << "the needle shows the note it hears";
    EXPECT_FALSE(listening().meter().ofAString());
    EXPECT_FALSE(listening().meter().inTune()) << "meter and status agree";
    EXPECT_FALSE(listening().inTune());
    EXPECT_FALSE(listening().matchedString());
    EXPECT_EQ(listening().status().text(), "");
}

TEST_F(TunerListeningTest, AGuitarTunedToAnotherAIsInTuneAgainstIt) {
    writeToneFile(dir.file("a432.wav"), 108.0, 1.0); // the A string with A4 at 432 Hz
    library.Settings.Referencepitch = 432;
    start(dir.file("a432.wav"));
    listening().listenBox().click();
    ASSERT_TRUE(heardSomething());
    EXPECT_EQ(listening().matchedString(), 5);
    EXPECT_TRUE(listening().inTune()) << listening().heardNote().text().toStdString();
    EXPECT_EQ(listening().status().text(), "In tune \u00B7 String 5 (A)");
}

TEST_F(TunerListeningTest, StringsAreNamedWithTheTuningsOwnNotes) {
    writeToneFile(dir.file("low d.wav"), detuned(38, 1.0), 1.0); // D1, Drop D's string 6
    library.Tunings.Add(kDropD);
    start(dir.file("low d.wav"));
    auto* tunings = uikit::control<QComboBox>(*page, resources::TunerId::TuningCombo);
    tunings->setCurrentIndex(tunings->findText("Drop D"));
    ASSERT_NE(tunings->currentIndex(), -1);
    EXPECT_EQ(uikit::control<QLabel>(*page, resources::TunerId::String6Label)->text(),
              "String 6 (D):");
    EXPECT_EQ(uikit::control<QLabel>(*page, resources::TunerId::String5Label)->text(),
              "String 5 (A):");
    listening().listenBox().click();
    ASSERT_TRUE(heardSomething());
    EXPECT_EQ(listening().matchedString(), 6);
    EXPECT_TRUE(listening().meter().inTune());
    EXPECT_EQ(listening().status().text(), "In tune \u00B7 String 6 (D)");
}

TEST_F(TunerListeningTest, AnotherInputDeviceCanBeChosen) {
    writeToneFile(dir.file("d.wav"), detuned(50, -20.0), 1.0); // D2, string 4
    micFile = dir.file("d.wav");
    // Names as the system gives them, UTF-8: a file and two cards.
    writeToneFile(dir.file("a sträng ł 🎸.wav"), detuned(45, 0.0), 1.0);
    systemDevices = {{"mic", "USB-mikrofon (Åsa)"}, {"line", "Line in"}};
    start(dir.file("a sträng ł 🎸.wav"));
    pages::TunerListening& tuner = listening();
    tuner.listenBox().click();
    ASSERT_EQ(tuner.inputs().count(), 3);
    EXPECT_EQ(tuner.inputs().itemText(0), QString::fromUtf8("a sträng ł 🎸.wav"));
    EXPECT_EQ(tuner.inputs().itemText(1), QString::fromUtf8("USB-mikrofon (Åsa)"));
    ASSERT_TRUE(heardSomething());
    EXPECT_EQ(tuner.matchedString(), 5);

    tuner.inputs().setCurrentIndex(1);
    emit tuner.inputs().activated(1);
    ASSERT_TRUE(runUntil([&] { return tuner.matchedString() == 4; }));
    EXPECT_NEAR(*tuner.meter().cents(), -20.0, 1.5);

    // A device that will not open says so, and the choice stays.
    tuner.inputs().setCurrentIndex(2);
    emit tuner.inputs().activated(2);
    EXPECT_FALSE(tuner.isListening());
    EXPECT_EQ(tuner.status().text(), "Could not open the input device.");
    EXPECT_EQ(tuner.status().toolTip(), QString::fromUtf8("Nie ma takiego urządzenia"))
        << "the system's reason, as it words it";
    EXPECT_EQ(tuner.inputs().currentText(), "Line in");
    EXPECT_TRUE(tuner.heardNote().text().isEmpty());
}

TEST_F(TunerListeningTest, WithoutAnyInputDeviceThePageSaysSoAndStillPlays) {
    page = std::make_unique<pages::TunerPage>(host);
    listening().listenBox().click();
    EXPECT_FALSE(listening().isListening());
    EXPECT_EQ(listening().inputs().count(), 0);
    EXPECT_EQ(listening().status().text(), "No input device was found.");
    uikit::control<uikit::ImageButton>(*page, resources::TunerId::String1Play)->click();
    EXPECT_TRUE(page->isSounding());
    ASSERT_TRUE(clock.runUntil([&] { return !page->isSounding(); }));
}

TEST_F(TunerListeningTest, AnInputThatIsPulledOutIsReportedAndPlayingGoesOn) {
    writeToneFile(dir.file("g.wav"), detuned(55, 3.0), 1.0);
    micFile = dir.file("g.wav");
    micReads = 30; // about 300 ms
    systemDevices = {{"mic", "USB microphone"}};
    page = std::make_unique<pages::TunerPage>(host);
    pages::TunerListening& tuner = listening();
    tuner.listenBox().click();
    ASSERT_TRUE(heardSomething());
    ASSERT_TRUE(runUntil([&] { return !tuner.isListening(); }));
    ASSERT_TRUE(runUntil(
        [&] { return !tuner.status().text().isEmpty() && tuner.heardNote().text().isEmpty(); }));
    EXPECT_EQ(tuner.status().text(), "The input device stopped working.");
    EXPECT_TRUE(tuner.status().toolTip().contains("disconnected"));
    EXPECT_FALSE(tuner.meter().cents());
    EXPECT_TRUE(tuner.listenBox().isChecked()) << "ticking it again tries again";
    uikit::control<uikit::ImageButton>(*page, resources::TunerId::String3Play)->click();
    EXPECT_TRUE(page->isSounding());
    ASSERT_TRUE(clock.runUntil([&] { return !page->isSounding(); }));
}

TEST_F(TunerListeningTest, AnInputThatCannotBeOpenedIsReportedOnThePage) {
    start(dir.file("gone.wav"));
    listening().listenBox().click();
    EXPECT_FALSE(listening().isListening());
    EXPECT_EQ(listening().status().text(), "Could not open the input device.");
    EXPECT_TRUE(listening().status().toolTip().contains("gone.wav"));
    // Playing still works.
    uikit::control<uikit::ImageButton>(*page, resources::TunerId::String6Play)->click();
    EXPECT_TRUE(page->isSounding());
    ASSERT_TRUE(clock.runUntil([&] { return !page->isSounding(); }));
}

} // namespace
} // namespace strumvale::test
