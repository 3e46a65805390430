#pragma once

#include "app/main_dialog.h"
#include "library/chord_library.h"
#include "platform/midi_provider.h"
#include "sound/virtual_clock.h"
#include "support/modal_seams.h"
#include "support/recording_midi.h"
#include "support/temp_dir.h"
#include "uikit/file_dialog.h"
#include "uikit/message_box.h"
#include "uikit/open_target.h"

#include <QApplication>
#include <QThread>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace strumvale::test {

// The program's window in a folder of its own, with a recording MIDI device
// and every modal question answered by the test.
class AppTest : public ::testing::Test {
protected:
    using ShownMessage = ModalSeams::Shown;

    void SetUp() override {
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(dir.path());
        setLocale("C");
        providers_ = std::make_unique<platform::ScopedMidiProviders>(platform::MidiProviders{midi});
        uikit::setShellOpenHandler([this](const QString& target) {
            opened.push_back(target);
            return uikit::kOpenSucceeded;
        });
    }

    void TearDown() override {
        window.reset();
        modal_.reset();
        uikit::setShellOpenHandler({});
        providers_.reset();
        std::filesystem::current_path(previous_);
        ::unsetenv("LC_ALL");
    }

    static void setLocale(const char* locale) { ::setenv("LC_ALL", locale, 1); }

    app::MainDialog& start(ChordLibrary::Options options = app::MainDialog::kProgramOptions) {
        window = std::make_unique<app::MainDialog>(options);
        QApplication::processEvents();
        return *window;
    }

    // A chordfile with two C chords, one scale, two tunings and a pattern,
    // written by the program's own writer.
    static void writeChordfile(const std::string& path,
                               const std::function<void(ChordLibrary&)>& edit = {}) {
        ChordLibrary library;
        library.Reset();
        library.Author = "Test Author";
        library.Homepage = "example.org";
        library.Info = "A small library\r\nfor tests";
        library.Chords.Add(model::Chord("C", "C", "x 3 2 0 1 0"));
        library.Chords.Add(model::Chord("C", "C7", "x 3 2 3 1 0"));
        library.Tunings.Add(model::Tuning{"Drop D", "D1,A1,D2,G2,B2,E3"});
        model::Scale major;
        major.Name = "Major";
        major.setNotes("C D E F G A B");
        major.setIntervals("1 2 3 4 5 6 7");
        library.Scales.Add(major);
        if (edit)
            edit(library);
        library.SaveChordfile(path);
    }

    // The same with a drum pattern, so the Drummer page has one to show.
    static void writeChordfileWithABeat(const std::string& path) {
        writeChordfile(path, [](ChordLibrary& library) {
            model::DrumPattern beat;
            beat.Name = "Four on the floor";
            for (int step : {1, 5, 9, 13})
                beat.Pattern[model::DrumPattern::cellIndex(step, 1)] = 1;
            library.DrumPatterns.Add(beat);
        });
    }

    static std::string readFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static void writeFile(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    std::vector<QString> shownTexts() const { return modal_->shownTexts(); }

    TempDir dir;
    std::shared_ptr<RecordingMidi> midi = std::make_shared<RecordingMidi>(sound::steadyClock());
    // For a window whose timed sound should take no real time; it outlives the window.
    sound::VirtualClock virtualClock;
    std::unique_ptr<app::MainDialog> window;
    // Every message and file dialog answered by the test; installed for the
    // test's run only, so that a window torn down afterwards asks nothing.
    std::unique_ptr<ModalSeams> modal_ = std::make_unique<ModalSeams>();
    std::vector<ShownMessage>& shown = modal_->shown;
    std::deque<uikit::MessageAnswer>& answers = modal_->answers;
    std::vector<uikit::FileDialogRequest>& fileRequests = modal_->fileRequests;
    std::deque<std::optional<QString>>& fileChoices = modal_->fileChoices;
    std::vector<QString> opened;

private:
    std::filesystem::path previous_;
    std::unique_ptr<platform::ScopedMidiProviders> providers_;
};

} // namespace strumvale::test
