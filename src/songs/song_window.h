#pragma once

#include "library/shown_song.h"
#include "library/song_shapes.h"
#include "model/song.h"
#include "sound/play_along.h"

#include <QString>
#include <QWidget>
#include <string_view>
#include <vector>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QScrollArea;
class QSpinBox;

namespace strumvale::songs {

class ChordStrip;
class SongSheetView;
class SongPracticeRow;
class SongWindowHost;

// A song file as a chord sheet in a window of its own beside the main one:
// its title and details, the diagrams of its chords, the sheet with every
// chord over its syllable, and a list of the songs when the file holds more.
// The reader transposes it, moves the capo (each undoable back to the file's
// own), changes the lyrics' size, plays along, prints it, saves it as
// ChordPro and sends its chords to the playlist.
class SongWindow : public QWidget {
    Q_OBJECT
public:
    explicit SongWindow(SongWindowHost& host, QWidget* parent = nullptr);
    // Ends a performance first: it reports here.
    ~SongWindow() override;

    // Shows the songs read from the file at path, the first of them.
    void showSongs(std::vector<model::Song> songs, const QString& path);
    void selectSong(int index);
    void retranslate();
    // The tuning or the library's chords changed: the shapes follow.
    void refreshShapes();

    const model::Song& shownSong() const { return shown_; }
    const std::vector<library::SongShape>& shapes() const { return shapes_; }
    library::SongAdjustment adjustment() const { return adjustment_; }
    SongSheetView& sheetView() const { return *sheet_; }
    ChordStrip& chordStrip() const { return *strip_; }
    SongPracticeRow& practiceRow() const { return *practice_; }
    int songCount() const { return static_cast<int>(songs_.size()); }
    int currentSong() const { return current_; }
    const QString& path() const { return path_; }
    bool isPlaying() const { return playAlong_.isPlaying(); }
    // Beats each chord sounds, as chosen.
    int beatsPerChord() const;

    void transposeBy(int semitones);
    void setCapo(int capo);
    // Back to what the reader had before the last transposition or capo.
    void undo();
    void changeLyricSize(int steps);
    void print();
    void saveAs();
    void sendToPlaylist();
    void playOrStop();
    // The song's chords that have a shape, in the core's text, each once.
    std::vector<std::string> chordNames() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    // Coming back to the window after choosing another tuning shows its shapes.
    void changeEvent(QEvent* event) override;

private:
    void buildControls();
    void adjust(const library::SongAdjustment& to);
    // The song again, as the adjustment, tuning and chords make it.
    void showAdjusted();
    void showHeader();
    void showControls();
    QString translate(std::string_view key) const;
    // The song's title, else the file's name.
    QString songTitle() const;

    SongWindowHost& host_;
    std::vector<model::Song> songs_;
    int current_ = 0;
    QString path_;
    library::SongAdjustment adjustment_;
    std::vector<library::SongAdjustment> history_;
    model::Song shown_;
    std::vector<library::SongShape> shapes_;
    std::string shapesTuning_;

    QLabel* title_ = nullptr;
    QLabel* details_ = nullptr;
    QPushButton* transposeDown_ = nullptr;
    QLabel* key_ = nullptr;
    QPushButton* transposeUp_ = nullptr;
    QLabel* capoLabel_ = nullptr;
    QSpinBox* capo_ = nullptr;
    QPushButton* undo_ = nullptr;
    QPushButton* smaller_ = nullptr;
    QPushButton* larger_ = nullptr;
    QLabel* beatsLabel_ = nullptr;
    QComboBox* beats_ = nullptr;
    QPushButton* play_ = nullptr;
    QPushButton* print_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* send_ = nullptr;
    QPushButton* practise_ = nullptr;
    SongPracticeRow* practice_ = nullptr;
    QListWidget* songList_ = nullptr;
    ChordStrip* strip_ = nullptr;
    QScrollArea* stripArea_ = nullptr;
    SongSheetView* sheet_ = nullptr;
    QScrollArea* sheetArea_ = nullptr;
    // Last: it is stopped before anything it reports to goes.
    sound::PlayAlong playAlong_;
};

} // namespace strumvale::songs
