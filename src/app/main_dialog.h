#pragma once

#include "library/chord_library.h"
#include "model/song.h"
#include "pages/page_host.h"
#include "practice/practice_host.h"
#include "songs/song_window_host.h"

#include <QDialog>
#include <QKeySequence>
#include <QPushButton>
#include <QString>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace strumvale::uikit {
class ImageButton;
}

namespace strumvale::songs {
class SongWindow;
}

namespace strumvale::practice {
class PracticeWindow;
}

namespace strumvale::app {

class PageTabCtrl;
class StatusLine;

// The program's main window: the command buttons, the six pages and the
// status line, around the one chord library; the song window stands beside it.
class MainDialog : public QDialog,
                   public pages::PageHost,
                   public songs::SongWindowHost,
                   public practice::PracticeHost {
    Q_OBJECT
public:
    // The settings file is read and written. The MIDI device is opened once,
    // when the settings are first applied.
    static constexpr ChordLibrary::Options kProgramOptions{true, false};
    static constexpr std::string_view kTitle = "Strumvale";

    // Runs the settings dialog; true when it ended with OK.
    using SettingsDialogRunner = std::function<bool(MainDialog& window)>;

    // startupChordfile, when given, is read in place of the one the settings
    // name; when it cannot be read, that is said and the window starts as it
    // would have without it.
    explicit MainDialog(ChordLibrary::Options options = kProgramOptions,
                        const std::string& startupChordfile = {});
    // Takes the window apart in a fixed order; the library goes last, so the
    // settings are written on every orderly end.
    ~MainDialog() override;

    ChordLibrary& library() override { return library_; }
    void onChordsChanged() override;
    void onScalesChanged() override;
    void onTuningsChanged() override;
    void onDrumPatternsChanged() override;
    void closeChordfile() override;
    void addChordToPlaylist(const model::Chord& chord, std::string_view tuningNotes) override;
    void fillTuningCombo(QComboBox& combo) override;
    void applySettings() override;
    sound::LivePattern& drummerPattern() override;
    bool drummerPatternLoaded() override;
    bool refuseWhilePlaying(const QString& caption) override;
    void showPlaylistAsSong() override;
    std::string songTuningNotes() override;
    bool replacePlaylist(const model::Playlist& playlist) override;
    void practiseChords(const std::vector<std::string>& chords) override;
    std::vector<std::string> songChordNames() override;

    // The practice window, made when first asked for; shown by the Practice button.
    practice::PracticeWindow& practiceWindow();
    bool hasPracticeWindow() const { return practiceWindow_ != nullptr; }
    void showPracticeWindow();

    // The song window, made when first asked for; hidden until a song is shown.
    songs::SongWindow& songWindow();
    bool hasSongWindow() const { return songWindow_ != nullptr; }
    // Shows songs read from the file at path in the song window, brought up
    // beside this one.
    void showSongs(std::vector<model::Song> songs, const QString& path);

    void updateCaptions();
    void updateTabCaptions();

    PageTabCtrl& pageTabs() const { return *tabs_; }
    StatusLine& statusLine() const { return *statusLine_; }
    QString translate(std::string_view key) const override;
    // The status text of an empty library.
    QString noChordfileText() const;

    void setSettingsDialogRunner(SettingsDialogRunner runner);

    // The command handlers, as the buttons call them.
    void settingsCommand();
    void chordfileInfoCommand();
    void aboutCommand();
    // The exit path: refused while something plays, asks about unsaved edits.
    void exitCommand();

protected:
    // Escape, the Exit button and the close box take the exit path.
    void reject() override;

private:
    void setUpButtons();
    // The command buttons that answer to keys, with their keys.
    std::vector<std::pair<uikit::ImageButton*, QKeySequence>> commandKeys() const;
    void selectLanguage();
    void loadStartupChordfile(const std::string& given);
    void createPages();
    void orderTabs();
    void reportPlayerErrors();
    void showStopMessage(const std::exception& error);

    ChordLibrary library_;
    uikit::ImageButton* openButton_ = nullptr;
    uikit::ImageButton* saveButton_ = nullptr;
    uikit::ImageButton* printButton_ = nullptr;
    uikit::ImageButton* settingsButton_ = nullptr;
    uikit::ImageButton* helpButton_ = nullptr;
    uikit::ImageButton* aboutButton_ = nullptr;
    uikit::ImageButton* exitButton_ = nullptr;
    uikit::ImageButton* infoButton_ = nullptr;
    PageTabCtrl* tabs_ = nullptr;
    StatusLine* statusLine_ = nullptr;
    songs::SongWindow* songWindow_ = nullptr;
    practice::PracticeWindow* practiceWindow_ = nullptr;
    QPushButton* practiceButton_ = nullptr;
    SettingsDialogRunner settingsDialog_;
    bool closing_ = false;
};

} // namespace strumvale::app
