#include "songs/song_window.h"

#include "formats/song_file.h"
#include "library/chord_library.h"
#include "library/song_score.h"
#include "platform/file.h"
#include "platform/file_error.h"
#include "sheets/sheets.h"
#include "sheets/song_drawing.h"
#include "songs/chord_strip.h"
#include "songs/song_practice_row.h"
#include "songs/song_sheet_view.h"
#include "songs/song_window_host.h"
#include "sound/live_pattern.h"
#include "uikit/file_dialog.h"
#include "uikit/message_box.h"
#include "uikit/print_dialog.h"
#include "uikit/text.h"
#include "uikit/worker_call.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QSplitter>
#include <QVBoxLayout>
#include <algorithm>

namespace strumvale::songs {

namespace {

constexpr int kSmallestLyrics = 6;
constexpr int kLargestLyrics = 40;
constexpr int kMostBeatsPerChord = 8;

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QPushButton* button(QWidget* parent, const char* name) {
    auto* made = new QPushButton(parent);
    made->setObjectName(QString::fromLatin1(name));
    return made;
}

} // namespace

SongWindow::SongWindow(SongWindowHost& host, QWidget* parent)
    : QWidget(parent, Qt::Window), host_(host), playAlong_(host.library().ChordPlayer) {
    buildControls();
    resize(720, 640);
    retranslate();
}

SongWindow::~SongWindow() {
    playAlong_.stop();
}

void SongWindow::buildControls() {
    title_ = new QLabel(this);
    QFont titleFont = title_->font();
    titleFont.setPointSize(16);
    titleFont.setBold(true);
    title_->setFont(titleFont);
    title_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    details_ = new QLabel(this);
    details_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    transposeDown_ = button(this, "transposeDown");
    transposeDown_->setText(QStringLiteral("\u2212"));
    key_ = new QLabel(this);
    key_->setObjectName(QStringLiteral("shownKey"));
    transposeUp_ = button(this, "transposeUp");
    transposeUp_->setText(QStringLiteral("+"));
    capoLabel_ = new QLabel(this);
    capo_ = new QSpinBox(this);
    capo_->setObjectName(QStringLiteral("capo"));
    capo_->setRange(0, library::kHighestCapo);
    capoLabel_->setBuddy(capo_);
    undo_ = button(this, "undo");
    undo_->setShortcut(QKeySequence::Undo);
    smaller_ = button(this, "smallerText");
    smaller_->setText(QStringLiteral("A\u2212"));
    larger_ = button(this, "largerText");
    larger_->setText(QStringLiteral("A+"));
    beatsLabel_ = new QLabel(this);
    beats_ = new QComboBox(this);
    beats_->setObjectName(QStringLiteral("beatsPerChord"));
    for (int beats = 1; beats <= kMostBeatsPerChord; ++beats)
        beats_->addItem(QString::number(beats));
    beatsLabel_->setBuddy(beats_);
    play_ = button(this, "play");
    print_ = button(this, "print");
    save_ = button(this, "saveAs");
    send_ = button(this, "sendToPlaylist");
    practise_ = button(this, "practise");
    practice_ = new SongPracticeRow([this](std::string_view key) { return translate(key); }, this);
    practice_->takeSettings(host_.library().Settings);

    songList_ = new QListWidget(this);
    songList_->setObjectName(QStringLiteral("songs"));
    strip_ = new ChordStrip;
    stripArea_ = new QScrollArea(this);
    stripArea_->setWidget(strip_);
    stripArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    stripArea_->setFrameShape(QFrame::NoFrame);
    sheet_ = new SongSheetView;
    sheetArea_ = new QScrollArea(this);
    sheetArea_->setWidget(sheet_);
    sheetArea_->setWidgetResizable(true);
    // The sheet is the one Tab stop; the keys it leaves scroll the area.
    sheetArea_->setFocusPolicy(Qt::NoFocus);

    // The sign buttons need no more room than their signs.
    for (QPushButton* sign : {transposeDown_, transposeUp_, smaller_, larger_})
        sign->setMaximumWidth(sign->fontMetrics().horizontalAdvance(QStringLiteral("MMMM")));
    auto* adjustRow = new QHBoxLayout;
    for (QWidget* widget : std::initializer_list<QWidget*>{
             transposeDown_, key_, transposeUp_, capoLabel_, capo_, undo_, smaller_, larger_})
        adjustRow->addWidget(widget);
    adjustRow->addStretch();
    auto* commandRow = new QHBoxLayout;
    for (QWidget* widget : std::initializer_list<QWidget*>{beatsLabel_, beats_, play_, print_,
                                                           save_, send_, practise_})
        commandRow->addWidget(widget);
    commandRow->addStretch();
    auto* split = new QSplitter(this);
    split->addWidget(songList_);
    split->addWidget(sheetArea_);
    split->setStretchFactor(1, 1);
    split->setSizes({160, 560});

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title_);
    layout->addWidget(details_);
    layout->addLayout(adjustRow);
    layout->addLayout(commandRow);
    layout->addWidget(practice_);
    layout->addWidget(stripArea_);
    layout->addWidget(split, 1);

    // The loop is chosen by clicking lines of the sheet as well as in its boxes.
    connect(sheet_, &SongSheetView::lineClicked, practice_, &SongPracticeRow::pickLine);
    connect(practice_, &SongPracticeRow::loopLinesChanged, sheet_,
            [this] { sheet_->setLoopLines(practice_->loopLines()); });
    connect(transposeDown_, &QPushButton::clicked, this, [this] { transposeBy(-1); });
    connect(transposeUp_, &QPushButton::clicked, this, [this] { transposeBy(1); });
    connect(capo_, &QSpinBox::valueChanged, this, [this](int capo) { setCapo(capo); });
    connect(undo_, &QPushButton::clicked, this, [this] { undo(); });
    connect(smaller_, &QPushButton::clicked, this, [this] { changeLyricSize(-1); });
    connect(larger_, &QPushButton::clicked, this, [this] { changeLyricSize(1); });
    connect(play_, &QPushButton::clicked, this, [this] { playOrStop(); });
    connect(print_, &QPushButton::clicked, this, [this] { print(); });
    connect(save_, &QPushButton::clicked, this, [this] { saveAs(); });
    connect(send_, &QPushButton::clicked, this, [this] { sendToPlaylist(); });
    // The song's chords to drill, its first two to start with.
    connect(practise_, &QPushButton::clicked, this, [this] {
        std::vector<std::string> names = chordNames();
        names.resize(std::min<std::size_t>(names.size(), 2));
        host_.practiseChords(names);
    });
    connect(songList_, &QListWidget::currentRowChanged, this, [this](int row) { selectSong(row); });
    // Ctrl and + as the keyboard writes it, with or without Shift.
    for (const QKeySequence& keys :
         {QKeySequence(QKeySequence::ZoomIn), QKeySequence(Qt::CTRL | Qt::Key_Equal)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this,
                [this] { changeLyricSize(1); });
    connect(new QShortcut(QKeySequence::ZoomOut, this), &QShortcut::activated, this,
            [this] { changeLyricSize(-1); });
    connect(new QShortcut(QKeySequence::Print, this), &QShortcut::activated, print_,
            &QPushButton::click);
    connect(new QShortcut(QKeySequence::Save, this), &QShortcut::activated, save_,
            &QPushButton::click);
}

QString SongWindow::translate(std::string_view key) const {
    return host_.translate(key).trimmed();
}

void SongWindow::retranslate() {
    transposeDown_->setAccessibleName(translate("Transpose down"));
    transposeUp_->setAccessibleName(translate("Transpose up"));
    capoLabel_->setText(translate("Capo"));
    capo_->setAccessibleName(translate("Capo"));
    undo_->setText(translate("Undo"));
    smaller_->setAccessibleName(translate("Smaller text"));
    smaller_->setToolTip(translate("Smaller text") + QStringLiteral(" (Ctrl+\u2212)"));
    larger_->setAccessibleName(translate("Larger text"));
    larger_->setToolTip(translate("Larger text") + QStringLiteral(" (Ctrl++)"));
    beatsLabel_->setText(translate("Beats per chord"));
    beats_->setAccessibleName(translate("Beats per chord"));
    print_->setText(translate("Print"));
    print_->setToolTip(uikit::captionWithKeys(print_->text(), QKeySequence::Print));
    save_->setText(translate("Save As ChordPro"));
    save_->setToolTip(uikit::captionWithKeys(save_->text(), QKeySequence::Save));
    send_->setText(translate("Send to Playlist"));
    practise_->setText(translate("Practice"));
    practice_->retranslate();
    songList_->setAccessibleName(translate("Songs"));
    stripArea_->setAccessibleName(translate("Chords"));
    strip_->setAccessibleName(translate("Chords"));
    sheet_->setAccessibleName(translate("Song sheet"));
    sheetArea_->setAccessibleName(translate("Song sheet"));
    if (!songs_.empty())
        showAdjusted();
    showControls();
}

void SongWindow::showSongs(std::vector<model::Song> songs, const QString& path) {
    playAlong_.stop();
    playAlong_.waitUntilIdle();
    songs_ = std::move(songs);
    if (songs_.empty())
        songs_.emplace_back();
    path_ = path;
    {
        const QSignalBlocker blocker(songList_);
        songList_->clear();
        for (std::size_t i = 0; i < songs_.size(); ++i) {
            const std::optional<std::string> title = songs_[i].meta("title");
            songList_->addItem(title && !title->empty() ? fromUtf8(*title)
                                                        : QFileInfo(path_).completeBaseName() +
                                                              QStringLiteral(" (%1)").arg(i + 1));
        }
        songList_->setCurrentRow(0);
    }
    // A single song needs no list.
    songList_->setVisible(songs_.size() > 1);
    current_ = -1;
    selectSong(0);
}

void SongWindow::selectSong(int index) {
    if (index < 0 || index >= songCount() || index == current_)
        return;
    playAlong_.stop();
    playAlong_.waitUntilIdle();
    current_ = index;
    {
        const QSignalBlocker blocker(songList_);
        songList_->setCurrentRow(index);
    }
    const model::Song& written = songs_[static_cast<std::size_t>(index)];
    adjustment_ = library::writtenAdjustment(written);
    history_.clear();
    const int bar = library::beatsPerBar(written.meta("time").value_or("")).value_or(4);
    beats_->setCurrentIndex(std::clamp(bar, 1, kMostBeatsPerChord) - 1);
    showAdjusted();
    sheetArea_->verticalScrollBar()->setValue(0);
}

void SongWindow::refreshShapes() {
    if (!songs_.empty())
        showAdjusted();
}

int SongWindow::beatsPerChord() const {
    return beats_->currentIndex() + 1;
}

void SongWindow::transposeBy(int semitones) {
    library::SongAdjustment to = adjustment_;
    // Twelve up is where it started: the count stays within an octave.
    to.semitones = ((to.semitones + semitones) % 12 + 12 + 6) % 12 - 6;
    adjust(to);
}

void SongWindow::setCapo(int capo) {
    library::SongAdjustment to = adjustment_;
    to.capo = std::clamp(capo, 0, library::kHighestCapo);
    adjust(to);
}

void SongWindow::adjust(const library::SongAdjustment& to) {
    if (songs_.empty() || to == adjustment_)
        return;
    history_.push_back(adjustment_);
    adjustment_ = to;
    showAdjusted();
}

void SongWindow::undo() {
    if (history_.empty())
        return;
    adjustment_ = history_.back();
    history_.pop_back();
    showAdjusted();
}

void SongWindow::changeLyricSize(int steps) {
    std::int32_t& size = host_.library().Settings.Songfontsize;
    size = std::clamp(size + steps, kSmallestLyrics, kLargestLyrics);
    sheet_->setLyricPoints(size);
}

void SongWindow::showAdjusted() {
    if (songs_.empty())
        return;
    // A performance plays the chords it started with; the sheet would mark
    // another song's.
    playAlong_.stop();
    playAlong_.waitUntilIdle();
    shown_ = library::shownSong(songs_[static_cast<std::size_t>(current_)], adjustment_);
    shapesTuning_ = host_.songTuningNotes();
    shapes_ = library::songShapes(shown_, host_.library().Chords.items(), shapesTuning_);
    strip_->setShapes(shapes_);
    practice_->setLineCount(model::lyricLineCount(shown_));
    stripArea_->setFixedHeight(strip_->height() +
                               stripArea_->horizontalScrollBar()->sizeHint().height());
    const int points =
        std::clamp<int>(host_.library().Settings.Songfontsize, kSmallestLyrics, kLargestLyrics);
    sheet_->showSong(
        shown_, [this](std::string_view key) { return translate(key); }, points);
    sheet_->setLoopLines(practice_->loopLines());
    showHeader();
    showControls();
}

QString SongWindow::songTitle() const {
    const std::optional<std::string> title = shown_.meta("title");
    return title && !title->empty() ? fromUtf8(*title) : QFileInfo(path_).completeBaseName();
}

void SongWindow::showHeader() {
    title_->setText(songTitle());
    setWindowTitle(songTitle());
    QStringList details;
    if (const std::optional<std::string> subtitle = shown_.meta("subtitle"))
        details << fromUtf8(*subtitle);
    details << sheets::songDetailsLine(shown_,
                                       [this](std::string_view key) { return translate(key); });
    details.removeAll(QString());
    details_->setText(details.join(QLatin1Char('\n')));
    details_->setVisible(!details.isEmpty());
    // The key it sounds in now, else how far it moved.
    const std::optional<std::string> key = shown_.meta("key");
    key_->setText(key && !key->empty()
                      ? translate("Key") + QStringLiteral(": ") + fromUtf8(*key)
                      : translate("Transpose") + QStringLiteral(": ") +
                            (adjustment_.semitones > 0 ? QStringLiteral("+") : QString()) +
                            QString::number(adjustment_.semitones));
    const QSignalBlocker blocker(capo_);
    capo_->setValue(adjustment_.capo);
}

void SongWindow::showControls() {
    const bool playing = playAlong_.isPlaying();
    play_->setText(translate(playing ? "Stop" : "Play"));
    const bool anyChord =
        std::any_of(shapes_.begin(), shapes_.end(), [](const library::SongShape& shape) {
            return shape.source != library::SongShape::Source::Unknown;
        });
    play_->setEnabled(playing || anyChord);
    send_->setEnabled(!model::chordSequence(shown_).empty());
    undo_->setEnabled(!history_.empty());
}

void SongWindow::closeEvent(QCloseEvent* event) {
    playAlong_.stop();
    QWidget::closeEvent(event);
}

void SongWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !songs_.empty() &&
        !isPlaying() && host_.songTuningNotes() != shapesTuning_)
        showAdjusted();
}

void SongWindow::playOrStop() {
    if (playAlong_.isPlaying()) {
        playAlong_.stop();
        return;
    }
    if (host_.refuseWhilePlaying(translate("Error")))
        return;
    host_.library().StrummingPlayer();
    // The Drummer page counts steps, four a beat.
    const library::SongPlaying playing{
        beatsPerChord(), std::max(1, host_.drummerPattern().tempo() / 4), adjustment_.capo};
    sound::Score score = library::songScore(shown_, shapes_, shapesTuning_, playing);
    if (host_.drummerPatternLoaded())
        score.drums = &host_.drummerPattern();
    practice_->storeSettings(host_.library().Settings);
    practice_->applyTo(score, shown_, host_.library().Settings);
    // Reported on the performance's thread; a report that arrives after the
    // window is gone is dropped.
    sound::PlayAlongReports reports;
    reports.entry = [this](int entry) {
        uikit::callOnOwnerThread(this, [this, entry] {
            sheet_->markChord(entry >= 0 ? std::optional<int>(entry) : std::nullopt);
            if (entry >= 0) {
                const QRect box = sheet_->chordRect(entry);
                sheetArea_->ensureVisible(box.center().x(), box.center().y(), box.width(),
                                          box.height() * 3);
            }
        });
    };
    reports.tempo = [this](int bpm) {
        uikit::callOnOwnerThread(this, [this, bpm] { practice_->showTempo(bpm); });
    };
    reports.ended = [this] {
        uikit::callOnOwnerThread(this, [this] {
            practice_->showTempo(std::nullopt);
            showControls();
        });
    };
    if (playAlong_.start(std::move(score), std::move(reports)))
        showControls();
}

void SongWindow::print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(songTitle());
    if (!uikit::choosePrinter(this, printer))
        return;
    const bool printed =
        sheets::printSongSheet(printer, shown_, library::songDiagrams(shapes_), songTitle(),
                               [this](std::string_view key) { return translate(key); });
    if (!printed)
        uikit::showMessage(this, {translate("Could not print."), translate("Error"),
                                  uikit::MessageIcon::Stop, uikit::MessageButtons::Ok});
}

void SongWindow::saveAs() {
    if (songs_.empty())
        return;
    std::vector<model::Song> kept = songs_;
    // What is shown, or the song as its file has it: the user's choice.
    if (adjustment_ != library::writtenAdjustment(songs_[static_cast<std::size_t>(current_)])) {
        switch (uikit::showMessage(this, {translate("Save the song transposed, as it is shown?"),
                                          translate("Save?"), uikit::MessageIcon::Question,
                                          uikit::MessageButtons::YesNoCancel})) {
        case uikit::MessageAnswer::Yes:
            kept[static_cast<std::size_t>(current_)] = shown_;
            break;
        case uikit::MessageAnswer::No:
            break;
        default:
            return;
        }
    }
    uikit::FileDialogRequest request{uikit::FileDialogKind::Save, uikit::songFileFilter(),
                                     QString(), QString()};
    if (!path_.isEmpty()) {
        request.directory = QFileInfo(path_).absolutePath();
        request.fileName = QFileInfo(path_).fileName();
    }
    const std::optional<QString> chosen = uikit::chooseFile(this, request);
    if (!chosen)
        return;
    const QString target = uikit::chosenSongPath(*chosen);
    try {
        // Every song of a songbook goes with it: saving over the file loses none.
        platform::replaceFile(uikit::toSystem(target), formats::writeSongs(kept));
    } catch (const platform::FileError& error) {
        uikit::showMessage(this, {uikit::fromSystem(error.what()), translate("Error"),
                                  uikit::MessageIcon::Stop, uikit::MessageButtons::Ok});
        return;
    }
    // The file saved is the one shown from now on, as it now reads.
    songs_ = kept;
    path_ = target;
    if (kept[static_cast<std::size_t>(current_)] == shown_) {
        adjustment_ = library::writtenAdjustment(shown_);
        history_.clear();
        showAdjusted();
    }
}

std::vector<std::string> SongWindow::chordNames() const {
    std::vector<std::string> names;
    for (const model::Chord& diagram : library::songDiagrams(shapes_))
        names.push_back(diagram.Name);
    return names;
}

void SongWindow::sendToPlaylist() {
    const library::SongPlaylist sent =
        library::songPlaylist(shown_, shapes_, shapesTuning_, adjustment_.capo);
    if (!host_.replacePlaylist(sent.playlist) || sent.leftOut == 0)
        return;
    uikit::showMessage(this, {translate("Chords left out, as the playlist holds 27:") +
                                  QStringLiteral(" ") + QString::number(sent.leftOut),
                              translate("Send to Playlist"), uikit::MessageIcon::Information,
                              uikit::MessageButtons::Ok});
}

} // namespace strumvale::songs
