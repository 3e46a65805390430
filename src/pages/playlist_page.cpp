#include "pages/playlist_page.h"

#include "fretboard/staff_view.h"
#include "library/chord_library.h"
#include "model/metre.h"
#include "model/names.h"
#include "pages/page_colours.h"
#include "practice/click_along.h"
#include "resources/templates/playlist_page.h"
#include "resources/templates/view_placements.h"
#include "uikit/icons.h"
#include "uikit/image_button.h"
#include "uikit/text.h"
#include "uikit/worker_call.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QFileInfo>
#include <QFrame>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <algorithm>

namespace strumvale::pages {

using Id = resources::PlaylistId;
using uikit::toQString;

namespace {

// How a separator reads in the list of names.
const QString kSeparatorLine(45, QLatin1Char('-'));

// Dialog units: under Remove, in the column between the two lists.
constexpr resources::DialogRect kClickAlongPlacement{165, 174, 78, 28};
constexpr resources::DialogRect kLoopButtonPlacement{165, 205, 78, 15};

} // namespace

PlaylistPage::PlaylistPage(PageHost& host, QWidget* parent)
    : Page(host, resources::playlistPageTemplate(), parent), decoration_(randomDecorationColour()),
      playAlong_(host.library().ChordPlayer) {
    keyList_ = control<QListWidget>(Id::KeyList);
    chordList_ = control<QListWidget>(Id::ChordList);
    playlist_ = control<QListWidget>(Id::Playlist);
    lyrics_ = control<QPlainTextEdit>(Id::Lyrics);
    play_ = control<QPushButton>(Id::Play);
    // A separator's hyphens run to the edge, not into "..." or a scroll bar.
    playlist_->setTextElideMode(Qt::ElideNone);
    playlist_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    staff_ = new fretboard::StaffView(this);
    staff_->move(uikit::toPixels(resources::kStaffViewPlacement).topLeft());
    staff_->show();
    for (std::string_view key : model::kChordRootNames)
        keyList_->addItem(toQString(key));
    keyList_->setCurrentRow(0);
    selectKey();
    control<uikit::ImageButton>(Id::MoveUp)->setIconResource(uikit::icon::MoveUp);
    control<uikit::ImageButton>(Id::MoveDown)->setIconResource(uikit::icon::MoveDown);

    connect(keyList_, &QListWidget::currentRowChanged, this, [this] { selectKey(); });
    connect(chordList_, &QListWidget::itemDoubleClicked, this, [this] { addSelected(); });
    connect(control<QPushButton>(Id::Add), &QPushButton::clicked, this, [this] { addSelected(); });
    connect(control<QPushButton>(Id::AddSeparator), &QPushButton::clicked, this,
            [this] { addSeparator(); });
    connect(control<QPushButton>(Id::Remove), &QPushButton::clicked, this,
            [this] { removeSelected(); });
    connect(control<uikit::ImageButton>(Id::MoveUp), &QToolButton::clicked, this,
            [this] { move(true); });
    connect(control<uikit::ImageButton>(Id::MoveDown), &QToolButton::clicked, this,
            [this] { move(false); });
    connect(play_, &QPushButton::clicked, this, [this] { playOrStop(); });
    buildPracticeControls();
    connect(control<QPushButton>(Id::SongSheet), &QPushButton::clicked, this,
            [this] { this->host().showPlaylistAsSong(); });
    connect(lyrics_, &QPlainTextEdit::textChanged, this,
            [this] { library().Playlist.Lyrics = uikit::fromQString(lyrics_->toPlainText()); });
    showPlaylist(-1);
    retranslate();
    takeSettings();
}

PlaylistPage::~PlaylistPage() {
    playAlong_.stop();
}

void PlaylistPage::retranslate() {
    showPlayButton();
    clickAlong_->retranslate();
    loopAlong_->retranslate();
    loopButton_->setText(translate("Loop..."));
    loopButton_->setAccessibleName(translate("Loop entries"));
    control<QPushButton>(Id::Add)->setText(translate("Add"));
    control<QPushButton>(Id::AddSeparator)->setText(translate("Add Separator"));
    control<QPushButton>(Id::Remove)->setText(translate("Remove"));
    control<QPushButton>(Id::SongSheet)->setText(translate("Song sheet"));
    // Typed lyrics stay; only the start text follows the language.
    if (lyricsHint_.isNull() || lyrics_->toPlainText() == lyricsHint_)
        showLyricsHint();
    // The move buttons show only an arrow; the staff is a drawing; the lists
    // and the lyrics have no caption.
    control<uikit::ImageButton>(Id::MoveUp)->setAccessibleName(translate("Move up"));
    control<uikit::ImageButton>(Id::MoveDown)->setAccessibleName(translate("Move down"));
    staff_->setAccessibleName(translate("Tablature"));
    keyList_->setAccessibleName(translate("Keys"));
    chordList_->setAccessibleName(translate("Chords"));
    // The tab's caption, without the spaces that widen the tab.
    playlist_->setAccessibleName(translate("Playlist (Tab)").trimmed());
    lyrics_->setAccessibleName(translate("Add your lyrics or notes here."));
}

void PlaylistPage::takeSettings() {
    applyPageBackground(*this, library().Settings.Whitebackgroundcolor);
}

void PlaylistPage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintKeyListBrackets(painter, decoration_);
}

void PlaylistPage::refreshPlaylist() {
    selectKey();
}

void PlaylistPage::selectKey() {
    chordList_->clear();
    const std::string key =
        keyList_->currentRow() >= 0
            ? std::string(model::kChordRootNames[static_cast<std::size_t>(keyList_->currentRow())])
            : std::string();
    for (const model::Chord& chord : library().Chords.items()) {
        if (chord.RootNote == key)
            chordList_->addItem(toQString(chord.Name));
    }
    chordList_->setCurrentRow(0);
}

void PlaylistPage::addSelected() {
    const int row = chordList_->currentRow();
    if (row < 0 || keyList_->currentRow() < 0)
        return;
    model::ValueList<model::Chord> ofKey;
    library().ChordsOfKey(
        std::string(model::kChordRootNames[static_cast<std::size_t>(keyList_->currentRow())]),
        ofKey);
    const std::optional<model::Chord> chord = ofKey.GetAt(row);
    if (!chord || !library().Playlist.append(*chord))
        return;
    showPlaylist(library().Playlist.count() - 1);
}

void PlaylistPage::addSeparator() {
    if (!library().Playlist.append(model::Playlist::separator()))
        return;
    showPlaylist(library().Playlist.count() - 1);
}

void PlaylistPage::addChord(const model::Chord& chord, std::string_view tuningNotes) {
    if (!library().Playlist.append(chord, tuningNotes))
        return;
    showPlaylist(playlist_->currentRow());
}

void PlaylistPage::removeSelected() {
    const int row = playlist_->currentRow();
    if (!library().Playlist.remove(row))
        return;
    showPlaylist(std::min(row, library().Playlist.count() - 1));
}

void PlaylistPage::move(bool up) {
    const int row = playlist_->currentRow();
    model::Playlist& playlist = library().Playlist;
    if (up ? !playlist.moveUp(row) : !playlist.moveDown(row))
        return;
    showPlaylist(up ? row - 1 : row + 1);
}

void PlaylistPage::showPlaylist(int selected) {
    const std::vector<model::Chord>& entries = library().Playlist.entries();
    {
        const QSignalBlocker blocker(playlist_);
        playlist_->clear();
        for (const model::Chord& entry : entries)
            playlist_->addItem(model::Playlist::isSeparator(entry) ? kSeparatorLine
                                                                   : toQString(entry.Name));
        playlist_->setCurrentRow(selected);
    }
    staff_->setChords(entries);
    staff_->update();
    showPlayButton();
}

model::Playlist PlaylistPage::playlistToKeep() const {
    model::Playlist playlist = library().Playlist;
    if (lyrics_->toPlainText() == lyricsHint_)
        playlist.Lyrics.clear();
    return playlist;
}

void PlaylistPage::showLyricsHint() {
    lyricsHint_ = translate("Add your lyrics or notes here.");
    lyrics_->setPlainText(lyricsHint_);
}

void PlaylistPage::showOpenedPlaylist(const model::Playlist& playlist, const QString& path) {
    replacePlaylist(playlist);
    setSavedTo(path);
}

void PlaylistPage::showNewPlaylist(const model::Playlist& playlist) {
    replacePlaylist(playlist);
    songFile_.clear();
    kept_ = model::Playlist();
}

void PlaylistPage::replacePlaylist(const model::Playlist& playlist) {
    // The performance plays the playlist it started with; the staff would mark
    // another one's columns. Its last reports are queued by the time it is
    // idle, and they end with no column marked.
    playAlong_.stop();
    playAlong_.waitUntilIdle();
    library().Playlist = playlist;
    // The box writes its text back into the playlist.
    if (playlist.Lyrics.empty())
        showLyricsHint();
    else
        lyrics_->setPlainText(toQString(playlist.Lyrics));
    showPlaylist(-1);
}

void PlaylistPage::setSavedTo(const QString& path) {
    songFile_ = path;
    kept_ = playlistToKeep();
}

QString PlaylistPage::sheetTitle() const {
    return songFile_.isEmpty() ? translate("Playlist (Tab)").trimmed()
                               : QFileInfo(songFile_).completeBaseName();
}

void PlaylistPage::playOrStop() {
    if (playAlong_.isPlaying()) {
        playAlong_.stop();
        return;
    }
    const std::vector<model::Chord>& entries = library().Playlist.entries();
    if (std::all_of(entries.begin(), entries.end(), model::Playlist::isSeparator))
        return;
    // A pattern or a strum holds the player: starting now would do nothing.
    if (host().refuseWhilePlaying(translate("Error")))
        return;
    strummingPlayer();
    sound::Score score = sound::playlistScore(library().Playlist, host().drummerPattern(),
                                              host().drummerPatternLoaded());
    // A playlist entry is a beat: bars of four of them.
    clickAlong_->storeSettings(library().Settings);
    clickAlong_->applyTo(score, model::Metre{4, 4}, library().Settings);
    if (const auto range = loopAlong_->range())
        score.loop = sound::LoopRange{range->first, range->second};
    score.speed = loopAlong_->speed();
    // Reported on the performance's thread; the page may be gone by the time
    // a report is delivered, and then it is dropped.
    sound::PlayAlongReports reports;
    reports.entry = [this](int entry) {
        uikit::callOnOwnerThread(this, [this, entry] { staff_->setPlayingColumn(entry); });
    };
    reports.tempo = [this](int bpm) {
        uikit::callOnOwnerThread(this, [this, bpm] { loopAlong_->showTempo(bpm); });
    };
    reports.ended = [this] {
        uikit::callOnOwnerThread(this, [this] {
            loopAlong_->showTempo(std::nullopt);
            showPlayButton();
        });
    };
    if (playAlong_.start(std::move(score), std::move(reports)))
        showPlayButton();
}

void PlaylistPage::showPlayButton() {
    const std::vector<model::Chord>& entries = library().Playlist.entries();
    const bool playing = playAlong_.isPlaying();
    const bool anyChord =
        !std::all_of(entries.begin(), entries.end(), model::Playlist::isSeparator);
    play_->setText(translate(playing ? "Stop" : "Play"));
    play_->setEnabled(playing || anyChord);
    loopAlong_->setCount(library().Playlist.count());
    control<QPushButton>(Id::SongSheet)->setEnabled(anyChord);
}

void PlaylistPage::buildPracticeControls() {
    const auto translator = [this](std::string_view key) { return translate(key); };
    clickAlong_ = new practice::ClickAlong(translator, QBoxLayout::TopToBottom, this);
    clickAlong_->setGeometry(uikit::toPixels(kClickAlongPlacement));
    clickAlong_->takeSettings(library().Settings);
    loopButton_ = new QPushButton(this);
    loopButton_->setObjectName(QStringLiteral("loopEntries"));
    loopButton_->setGeometry(uikit::toPixels(kLoopButtonPlacement));
    loopPopup_ = new QFrame(this, Qt::Popup);
    loopPopup_->setFrameShape(QFrame::StyledPanel);
    loopAlong_ = new practice::LoopAlong(translator, QBoxLayout::TopToBottom, loopPopup_);
    loopAlong_->setCaptions("Loop entries", "From entry", "To entry");
    auto* popupLayout = new QVBoxLayout(loopPopup_);
    popupLayout->addWidget(loopAlong_);
    connect(loopButton_, &QPushButton::clicked, this, [this] { showLoopPanel(); });
}

// An entry chosen in the list is where a loop not yet set starts and ends.
void PlaylistPage::showLoopPanel() {
    if (!loopAlong_->loopBox().isChecked() && playlist_->currentRow() >= 0) {
        loopAlong_->toBox().setValue(playlist_->currentRow() + 1);
        loopAlong_->fromBox().setValue(playlist_->currentRow() + 1);
    }
    loopPopup_->adjustSize();
    loopPopup_->move(loopButton_->mapToGlobal(QPoint(0, loopButton_->height())));
    loopPopup_->show();
}

std::vector<QWidget*> PlaylistPage::tabOrder() const {
    return {control<QWidget>(Id::Lyrics),
            control<QWidget>(Id::Play),
            control<QWidget>(Id::SongSheet),
            control<QWidget>(Id::KeyList),
            control<QWidget>(Id::ChordList),
            control<QWidget>(Id::Add),
            control<QWidget>(Id::AddSeparator),
            control<QWidget>(Id::Remove),
            clickAlong_,
            loopButton_,
            control<QWidget>(Id::Playlist),
            control<QWidget>(Id::MoveUp),
            control<QWidget>(Id::MoveDown)};
}

} // namespace strumvale::pages
