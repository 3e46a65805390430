#pragma once

#include "model/playlist.h"
#include "pages/page.h"
#include "sound/play_along.h"

#include <QColor>
#include <QString>
#include <string_view>

class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace strumvale::fretboard {
class StaffView;
}

class QFrame;

namespace strumvale::practice {
class ClickAlong;
class LoopAlong;
} // namespace strumvale::practice

namespace strumvale::pages {

// Builds the library's playlist: chords picked by key or handed over from the
// Chords and Tabs page, separators between song parts, reordered and removed,
// shown as names and as tablature, with a box for the lyrics. Play practises
// it: a bar per entry at the Drummer page's tempo, its pattern along if one
// is loaded, the sounding column marked on the staff.
class PlaylistPage : public Page {
    Q_OBJECT
public:
    explicit PlaylistPage(PageHost& host, QWidget* parent = nullptr);
    // Ends a performance first; it reads the drummer's pattern and reports here.
    ~PlaylistPage() override;

    void retranslate() override;
    std::vector<QWidget*> tabOrder() const override;
    // The chord list of the selected key, after the library's chords changed.
    void refreshPlaylist();
    // Appends a copy played in tuningNotes, leaving the selection as it is;
    // nothing when full.
    void addChord(const model::Chord& chord,
                  std::string_view tuningNotes = model::kStandardTuningNotes);
    void takeSettings();

    // What a file or a sheet receives: the lyrics box's hint is no lyric.
    model::Playlist playlistToKeep() const;
    // Shows a playlist read from the song file at path, in place of the one
    // built so far.
    void showOpenedPlaylist(const model::Playlist& playlist, const QString& path);
    // Shows a playlist made elsewhere (a song's chords), kept in no file yet.
    void showNewPlaylist(const model::Playlist& playlist);
    // The playlist as it is now was saved to the song file at path.
    void setSavedTo(const QString& path);
    // The song file the playlist was last opened from or saved to; empty before.
    const QString& songFile() const { return songFile_; }
    // Its name without extension, else the page's own.
    QString sheetTitle() const;
    // The playlist or its lyrics differ from what was last opened or saved
    // (from an empty playlist before either).
    bool isChanged() const { return playlistToKeep() != kept_; }

    fretboard::StaffView& staffView() const { return *staff_; }
    bool isPlaying() const { return playAlong_.isPlaying(); }
    practice::ClickAlong& clickAlong() const { return *clickAlong_; }
    practice::LoopAlong& loopAlong() const { return *loopAlong_; }
    QPushButton& loopButton() const { return *loopButton_; }
    QColor decorationColour() const { return decoration_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void selectKey();
    void addSelected();
    void addSeparator();
    void removeSelected();
    void move(bool up);
    // The list box and the staff show the playlist again.
    void showPlaylist(int selected);
    void playOrStop();
    // Play while there is a chord to play, Stop while playing.
    void showPlayButton();
    // In place of the one built so far; the performance of that one ends.
    void replacePlaylist(const model::Playlist& playlist);
    // The lyrics box shows the start text of the language in use.
    void showLyricsHint();
    // The click and count-in beside Play; the loop and speed trainer in a
    // panel of their own, as the page has room for one button more.
    void buildPracticeControls();
    void showLoopPanel();

    QListWidget* keyList_ = nullptr;
    QListWidget* chordList_ = nullptr;
    QListWidget* playlist_ = nullptr;
    QPlainTextEdit* lyrics_ = nullptr;
    fretboard::StaffView* staff_ = nullptr;
    QPushButton* play_ = nullptr;
    practice::ClickAlong* clickAlong_ = nullptr;
    QPushButton* loopButton_ = nullptr;
    QFrame* loopPopup_ = nullptr;
    practice::LoopAlong* loopAlong_ = nullptr;
    QColor decoration_;
    QString songFile_;
    // What was last opened or saved, to tell a changed playlist by.
    model::Playlist kept_;
    // The start text the lyrics box was last given, in the language then in
    // use: only that text is replaced when the language changes.
    QString lyricsHint_;
    // Last: it is stopped before anything it reports to goes.
    sound::PlayAlong playAlong_;
};

} // namespace strumvale::pages
