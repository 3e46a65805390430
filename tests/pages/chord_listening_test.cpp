#include "fretboard/fretboard_view.h"
#include "page_rig.h"
#include "pages/chord_editor.h"
#include "pages/chords_tabs_page.h"
#include "pages/editor_page.h"
#include "pages/page_colours.h"
#include "platform/wav_file.h"
#include "resources/templates/chords_tabs_page.h"
#include "resources/templates/editor_page.h"
#include "sound/audio_inputs.h"
#include "support/guitar_strums.h"
#include "support/scoped_variable.h"
#include "support/temp_dir.h"
#include "uikit/chord_listening.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

namespace strumvale::test {
namespace {

using Notes = std::vector<std::optional<int>>;

// The Chords and Tabs page listening to a WAV file as its microphone, on a
// virtual clock: the file plays over and over, a strum each time round.
class ChordListeningTest : public ::testing::Test {
protected:
    ChordListeningTest() {
        library.LoadLanguage(model::kBuiltInLanguage);
        writeChordfile(dir.file("test.gtr"));
        library.LoadChordfile(dir.file("test.gtr"));
        library.Settings.Chordspeed = 1;
        library.Settings.Chorddecay = 1;
    }

    // C (x 3 2 0 1 0) as played, with each string's note or none.
    void hear(const Notes& played) {
        playIntoInput(played);
        page = std::make_unique<pages::ChordsTabsPage>(host);
        page->show();
        selectC();
    }
    void playIntoInput(const Notes& played) {
        platform::WavAudio audio;
        audio.sampleRate = kStrumRate;
        audio.samples = pluckedStrum(played, {}, 1.5);
        platform::writeWav(dir.file("strum.wav"), audio);
        inputFile.emplace(sound::kAudioInputFileVariable, dir.file("strum.wav"));
    }
    void selectC() {
        auto* keys = page->control<QListWidget>(resources::ChordsTabsId::KeyList);
        keys->setCurrentItem(keys->findItems("C", Qt::MatchExactly).value(0));
        ASSERT_EQ(page->fretboardView().chord().Tab, "x 3 2 0 1 0");
    }
    uikit::ChordListening& listening() { return page->listening(); }
    bool heardStrums(int count) {
        return clock.runUntil([&] {
            QApplication::processEvents();
            return listening().strumsHeard() >= count;
        });
    }
    static Notes c() { return {std::nullopt, 48, 52, 55, 60, 64}; }

    TempDir dir;
    std::optional<ScopedVariable> inputFile;
    sound::VirtualClock clock;
    std::vector<platform::AudioInputDevice> systemDevices;
    sound::ScopedAudioInputSystem system{
        {[this] { return systemDevices; },
         [](const std::string& id) -> std::unique_ptr<platform::AudioInput> {
             throw platform::AudioInputError(id, "no such device");
         }}};
    std::shared_ptr<RecordingMidi> recorder = std::make_shared<RecordingMidi>(clock, 1);
    platform::ScopedMidiProviders scope{{recorder}};
    ChordLibrary library{{.settingsFile = false, .openMidiDevice = true, .clock = &clock}};
    FakeHost host{library};
    std::unique_ptr<pages::ChordsTabsPage> page;
};

TEST_F(ChordListeningTest, ARightStrumTurnsEveryPlayedStringGreenAndIsCounted) {
    hear(c());
    EXPECT_EQ(listening().listenBox().text(), "Listen");
    EXPECT_TRUE(listening().findings().text().isEmpty());
    listening().listenBox().click();
    ASSERT_TRUE(heardStrums(2));
    EXPECT_TRUE(listening().findings().text().startsWith("Sounds right \u00B7 "))
        << listening().findings().text().toStdString();
    EXPECT_TRUE(listening().findings().text().endsWith(
        QStringLiteral("%1 of %1 right").arg(listening().strumsHeard())));
    EXPECT_EQ(listening().findings().accessibleName(), "Heard chord");
    EXPECT_TRUE(listening().findings().accessibleDescription().startsWith("Sounds right, "));
    const std::array<QColor, 6> marks = page->fretboardView().stringMarks();
    EXPECT_FALSE(marks[0].isValid()) << "string 6 is muted in C: no mark";
    for (std::size_t s = 1; s <= 3; ++s)
        EXPECT_EQ(marks[s], pages::kInTuneColour) << "string " << 6 - s;
    // C4 and E4 on the top strings are the octaves of C3 and E3 below: the
    // ear cannot tell them, so they are not marked either way.
    EXPECT_FALSE(marks[4].isValid());
    EXPECT_FALSE(marks[5].isValid());
    // Unticked: no more listening, the marks and the count are gone.
    listening().listenBox().click();
    EXPECT_FALSE(listening().isListening());
    EXPECT_TRUE(listening().findings().text().isEmpty());
    EXPECT_FALSE(page->fretboardView().stringMarks()[1].isValid());
}

TEST_F(ChordListeningTest, AFaultNamesTheStringAndItsNoteAndIsMarkedOutOfTune) {
    Notes played = c();
    played[3].reset(); // string 3, G2 in the table's names
    hear(played);
    listening().listenBox().click();
    ASSERT_TRUE(heardStrums(1));
    EXPECT_TRUE(listening().findings().text().startsWith("String 3: G2 missing \u00B7 0 of "))
        << listening().findings().text().toStdString();
    EXPECT_EQ(page->fretboardView().stringMarks()[3], pages::kOutOfTuneColour);
    EXPECT_EQ(page->fretboardView().stringMarks()[2], pages::kInTuneColour);
    EXPECT_EQ(listening().strumsRight(), 0);

    // Another chord shown: the findings were for the last one.
    auto* keys = page->control<QListWidget>(resources::ChordsTabsId::KeyList);
    keys->setCurrentItem(keys->findItems("G", Qt::MatchExactly).value(0));
    EXPECT_TRUE(listening().findings().text().isEmpty());
    EXPECT_FALSE(page->fretboardView().stringMarks()[3].isValid());
}

TEST_F(ChordListeningTest, AHiddenPageLetsTheInputGoAndTakesItAgainWhenShown) {
    hear(c());
    listening().listenBox().click();
    ASSERT_TRUE(listening().isListening());
    page->hide();
    EXPECT_FALSE(listening().isListening()) << "the input is let go while hidden";
    page->show();
    EXPECT_TRUE(listening().isListening());
    ASSERT_TRUE(heardStrums(1));
}

TEST_F(ChordListeningTest, WithoutAnInputThePageSaysSo) {
    page = std::make_unique<pages::ChordsTabsPage>(host);
    page->show();
    listening().listenBox().click();
    EXPECT_FALSE(listening().isListening());
    EXPECT_EQ(listening().findings().text(), "No input device was found.");
    systemDevices = {{"mic", "Mikrofon"}};
    listening().listenBox().click();
    listening().listenBox().click();
    EXPECT_EQ(listening().findings().text(), "Could not open the input device.");
    EXPECT_NE(listening().findings().toolTip().indexOf("no such device"), -1);
}

// On the Editor page nothing is expected: a strum is named, as a fingering
// clicked on the neck is, so a chord found by ear can be entered.
TEST_F(ChordListeningTest, OnTheEditorPageAStrumIsNamedWithItsNotes) {
    // G as strummed; its upper strings double lower ones, so are not told apart.
    playIntoInput({43, 47, 50, 55, 59, 67});
    pages::EditorPage editor(host);
    editor.show();
    uikit::ChordListening& editorListening = editor.chordEditor().listening();
    auto* soundsLike = editor.findChild<QLabel*>("soundsLike");
    ASSERT_NE(soundsLike, nullptr);
    ASSERT_TRUE(editorListening.listenBox().isVisible());
    editorListening.listenBox().click();
    ASSERT_TRUE(clock.runUntil([&] {
        QApplication::processEvents();
        return !soundsLike->text().isEmpty();
    }));
    EXPECT_TRUE(soundsLike->text().startsWith("Sounds like: G (G1 B1 D2"))
        << soundsLike->text().toStdString();
    EXPECT_EQ(soundsLike->accessibleName(), "Sounds like");
    EXPECT_EQ(soundsLike->accessibleDescription(), soundsLike->text());
    EXPECT_EQ(editorListening.strumsHeard(), 0) << "nothing was expected, nothing is counted";

    // The scales are not strummed: Listen goes, and comes back as it was.
    auto* keys = editor.control<QListWidget>(resources::EditorId::KeyList);
    keys->setCurrentRow(keys->count() - 1);
    EXPECT_FALSE(editorListening.listenBox().isVisible());
    EXPECT_FALSE(editorListening.isListening());
    keys->setCurrentRow(0);
    EXPECT_TRUE(editorListening.listenBox().isChecked());
    EXPECT_TRUE(editorListening.isListening());
    editor.hide();
    EXPECT_FALSE(editorListening.isListening());
}

} // namespace
} // namespace strumvale::test
