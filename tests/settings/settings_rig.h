#pragma once

#include "formats/language_file.h"
#include "library/chord_library.h"
#include "platform/midi_provider.h"
#include "settings/settings_dialog.h"
#include "sound/virtual_clock.h"
#include "support/modal_seams.h"
#include "support/recording_midi.h"
#include "support/temp_dir.h"
#include "uikit/file_dialog.h"
#include "uikit/message_box.h"

#include <QComboBox>
#include <QPushButton>
#include <QSlider>
#include <deque>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace strumvale::test {

// A library whose program directory is a temporary folder with three
// language files (two written by the program's writer, one damaged), two MIDI
// outputs on a recorder, and every message box answered and kept.
class SettingsRig : public ::testing::Test {
protected:
    using Id = resources::SettingsId;

    SettingsRig() {
        midi->setOutputs({"Synth A", "Synth B"});
        library.Settings.ProgramDirectory = dir.path();
        library.LoadLanguage(model::kBuiltInLanguage);
        std::filesystem::create_directory(dir.file("lang"));
        // Every phrase reads "~" and its English text.
        writeLanguage("svenska.lng", "Svenska", "~");
        writeLanguage("svenska2.lng", "Svenska 2", "=");
        std::ofstream(dir.file("lang/damaged.lng"), std::ios::binary) << "PK\x03\x04 no archive";
    }

    void writeLanguage(const std::string& file, const std::string& language,
                       const std::string& mark) {
        formats::TextList english;
        ASSERT_TRUE(formats::BuiltInPhrases(english));
        formats::TextList foreign;
        for (const std::string& phrase : english)
            foreign.push_back(mark + phrase);
        ASSERT_TRUE(formats::WriteLanguageFile({"4.0.0.beta1", language, "Tester", "For tests"},
                                               english, foreign, dir.file("lang/" + file)));
    }

    // The dialog as the Settings command opens it: after a fresh look at the devices.
    settings::SettingsDialog& open() {
        library.ChordPlayer.refreshDevices();
        dialog = std::make_unique<settings::SettingsDialog>(library, [this] {
            ++applied;
            library.Settings.SettingsChanged = false;
        });
        return *dialog;
    }
    template <typename Widget, typename AnyId> Widget* control(AnyId id) {
        return dialog->control<Widget>(id);
    }
    QComboBox* combo(Id id) { return control<QComboBox>(id); }
    QSlider* slider(Id id) { return control<QSlider>(id); }
    bool applyEnabled() { return control<QPushButton>(Id::Apply)->isEnabled(); }
    void press(Id id) { control<QPushButton>(id)->click(); }

    TempDir dir;
    sound::VirtualClock clock;
    std::shared_ptr<RecordingMidi> midi = std::make_shared<RecordingMidi>(clock, 1);
    platform::ScopedMidiProviders scope{{midi}};
    ChordLibrary library{{.settingsFile = false, .openMidiDevice = false, .clock = &clock}};
    // Every message box answered OK; the file dialogs answered in turn.
    ModalSeams modal;
    std::vector<ModalSeams::Shown>& messages = modal.shown;
    std::vector<uikit::FileDialogRequest>& fileRequests = modal.fileRequests;
    std::deque<std::optional<QString>>& fileChoices = modal.fileChoices;
    std::unique_ptr<settings::SettingsDialog> dialog;
    int applied = 0;
};

} // namespace strumvale::test
