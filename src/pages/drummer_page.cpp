#include "pages/drummer_page.h"

#include "formats/drum_pattern_text.h"
#include "formats/text_numbers.h"
#include "fretboard/fretboard_style.h"
#include "library/chord_library.h"
#include "model/metre.h"
#include "pages/page_colours.h"
#include "pages/pattern_grid_editor.h"
#include "practice/click_along.h"
#include "practice/tap_button.h"
#include "resources/templates/drummer_page.h"
#include "resources/templates/view_placements.h"
#include "sound/gm_names.h"
#include "uikit/message_box.h"
#include "uikit/text.h"
#include "uikit/worker_call.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>

namespace strumvale::pages {

using Id = resources::DrummerId;
using uikit::fromQString;
using uikit::toQString;

namespace {

constexpr const char* kTrackNames[] = {"1st", "2nd", "3rd", "4th", "5th", "6th", "7th", "8th"};
constexpr Id kEditingControls[] = {Id::EditPatternGroup, Id::PatternName, Id::Update, Id::Remove,
                                   Id::New};
constexpr int kLoudest = 127;
// Dialog units: under the tempo, above the editing choice.
constexpr resources::DialogRect kBeatsPlacement{95, 182, 95, 8};
// Under the current pattern, where the pattern editor stands while editing.
constexpr resources::DialogRect kClickAlongPlacement{205, 169, 165, 14};
// Under those, where Update stands while editing.
constexpr resources::DialogRect kTapPlacement{208, 200, 50, 15};

} // namespace

DrummerPage::DrummerPage(PageHost& host, QWidget* parent)
    : Page(host, resources::drummerPageTemplate(), parent), sequencer_(host.library().ChordPlayer),
      clickedPlay_(host.library().ChordPlayer) {
    patternCombo_ = control<QComboBox>(Id::PatternCombo);
    instrumentCombo_ = control<QComboBox>(Id::InstrumentCombo);
    trackList_ = control<QListWidget>(Id::TrackList);
    volume_ = control<QSlider>(Id::VolumeTrackbar);
    tempo_ = control<QLineEdit>(Id::Tempo);
    tempoUpDown_ = control<QSpinBox>(Id::TempoUpDown);
    name_ = control<QLineEdit>(Id::PatternName);
    play_ = control<QPushButton>(Id::Play);
    loop_ = control<QCheckBox>(Id::LoopPattern);
    for (auto& volume : volumes_)
        volume = kLoudest;

    grid_ = new PatternGridEditor(this);
    grid_->move(uikit::toPixels(resources::kDrumGridPlacement).topLeft());
    grid_->show();
    for (std::string_view name : sound::percussionNames())
        instrumentCombo_->addItem(toQString(name));
    instrumentCombo_->setCurrentIndex(0);
    for (const char* name : kTrackNames)
        trackList_->addItem(QString::fromLatin1(name));
    trackList_->setCurrentRow(7);
    // Position 0 at the top is the loudest, as the volume is 127 - position.
    volume_->setRange(0, kLoudest);
    volume_->setTickInterval(1);
    volume_->setTickPosition(QSlider::TicksBothSides);
    volume_->setInvertedAppearance(true);
    volume_->setInvertedControls(true);
    // The arrows sit at the right end of the tempo edit, as an up-down
    // control attached to its edit does, instead of over the unit beside it.
    const QRect edit = tempo_->geometry();
    const int arrows = tempoUpDown_->width();
    tempo_->setGeometry(edit.adjusted(0, 0, -arrows, 0));
    tempoUpDown_->setGeometry(edit.right() - arrows + 1, edit.top(), arrows, edit.height());
    tempoUpDown_->setRange(60, 320);
    tempoUpDown_->setValue(120);
    tempo_->setMaxLength(3);
    beatsLabel_ = new QLabel(this);
    beatsLabel_->setObjectName(QStringLiteral("beatsPerMinute"));
    beatsLabel_->setGeometry(uikit::toPixels(kBeatsPlacement));
    clickAlong_ = new practice::ClickAlong([this](std::string_view key) { return translate(key); },
                                           QBoxLayout::LeftToRight, this);
    clickAlong_->setGeometry(uikit::toPixels(kClickAlongPlacement));
    clickAlong_->takeSettings(library().Settings);
    tap_ = new practice::TapButton([this](std::string_view key) { return translate(key); },
                                   library().ChordPlayer.clock(), this);
    tap_->setGeometry(uikit::toPixels(kTapPlacement));
    tempo_->setText(QStringLiteral("120"));
    setEditing(false);
    control<QRadioButton>(Id::DisableEditing)->setChecked(true);

    connect(patternCombo_, &QComboBox::currentIndexChanged, this, [this] { selectPattern(); });
    connect(trackList_, &QListWidget::currentRowChanged, this, [this] { selectTrack(); });
    connect(instrumentCombo_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            instruments_[selectedTrackIndex()] = index;
    });
    connect(volume_, &QSlider::valueChanged, this,
            [this](int position) { volumes_[selectedTrackIndex()] = kLoudest - position; });
    connect(tempo_, &QLineEdit::textChanged, this, [this](const QString& text) {
        // While typing, "2" on the way from 120 to 200 is no tempo to play:
        // typed text counts once it is within the up-down's range, or when
        // the edit is left. A pattern's own tempo counts at once.
        const int bpm = text.toInt();
        if (!tempo_->isModified() ||
            (bpm >= tempoUpDown_->minimum() && bpm <= tempoUpDown_->maximum()))
            takeTempo();
    });
    connect(tempo_, &QLineEdit::editingFinished, this, [this] { takeTempo(); });
    // Beats are tapped; the edit counts steps.
    connect(tap_, &practice::TapButton::tapped, this, [this](int beatsPerMinute) {
        tempo_->setText(QString::number(beatsPerMinute * sound::kStepsPerBeat));
    });
    connect(tempoUpDown_, &QSpinBox::valueChanged, this,
            [this](int bpm) { tempo_->setText(QString::number(bpm)); });
    connect(loop_, &QCheckBox::toggled, this, [this](bool on) { flags_.loopPattern = on; });
    connect(play_, &QPushButton::clicked, this, [this] { playOrStop(); });
    connect(control<QRadioButton>(Id::DisableEditing), &QRadioButton::clicked, this,
            [this] { setEditing(false); });
    connect(control<QRadioButton>(Id::EnableEditing), &QRadioButton::clicked, this,
            [this] { setEditing(true); });
    connect(control<QPushButton>(Id::Update), &QPushButton::clicked, this,
            [this] { updatePattern(); });
    connect(control<QPushButton>(Id::Remove), &QPushButton::clicked, this,
            [this] { removePattern(); });
    connect(control<QPushButton>(Id::New), &QPushButton::clicked, this, [this] { newPattern(); });

    selectTrack();
    refreshDrumPatterns();
    retranslate();
    takeSettings();
}

DrummerPage::~DrummerPage() {
    flags_.keepPlaying = false;
}

void DrummerPage::retranslate() {
    control<QGroupBox>(Id::TrackSettingsGroup)->setTitle(translate("Track Settings"));
    control<QGroupBox>(Id::CurrentPatternGroup)->setTitle(translate("Current Pattern"));
    control<QGroupBox>(Id::EditPatternGroup)->setTitle(translate("Edit Pattern"));
    control<QLabel>(Id::TrackLabel)->setText(translate("Track Nr") + ":");
    control<QLabel>(Id::VolumeLabel)->setText(translate("Volume") + ":");
    control<QLabel>(Id::InstrumentLabel)->setText(translate("Instrument") + ":");
    control<QLabel>(Id::TempoLabel)->setText(translate("Tempo") + ":");
    control<QLabel>(Id::BpmLabel)->setText(translate("BPM"));
    control<QRadioButton>(Id::DisableEditing)->setText(translate("Disable editing"));
    control<QRadioButton>(Id::EnableEditing)->setText(translate("Enable editing"));
    loop_->setText(translate("Loop Pattern"));
    clickAlong_->retranslate();
    tap_->retranslate();
    showPlaying(library().ChordPlayer.isPlaying());
    control<QLabel>(Id::EditingDisabledNotice)
        ->setText(translate("Editing of Patterns is currently disabled."));
    control<QPushButton>(Id::Update)->setText(translate("Update"));
    control<QPushButton>(Id::Remove)->setText(translate("Remove"));
    control<QPushButton>(Id::New)->setText(translate("New"));
    // Controls without a caption of their own, for screen readers.
    grid_->setAccessibleName(translate("Drum pattern grid"));
    grid_->setPositionTexts(translate("Track %1, step %2"), translate("hit"));
    patternCombo_->setAccessibleName(translate("Current Pattern"));
    trackList_->setAccessibleName(translate("Track Nr"));
    instrumentCombo_->setAccessibleName(translate("Instrument"));
    volume_->setAccessibleName(translate("Volume"));
    tempo_->setAccessibleName(translate("Tempo"));
    tempoUpDown_->setAccessibleName(translate("Tempo"));
    showBeats();
    name_->setAccessibleName(translate("Name"));
}

void DrummerPage::takeSettings() {
    const bool white = library().Settings.Whitebackgroundcolor;
    applyPageBackground(*this, white);
    grid_->setWhiteBackground(white);
    // Hits are drawn in the fretboard's dot colour.
    grid_->setHitColour(fretboard::fretboardStyle(library().Settings).dotsColour);
}

void DrummerPage::refreshDrumPatterns() {
    int index = patternCombo_->currentIndex();
    {
        const QSignalBlocker blocker(patternCombo_);
        patternCombo_->clear();
        for (const model::DrumPattern& pattern : library().DrumPatterns.items())
            patternCombo_->addItem(toQString(pattern.Name));
    }
    if (patternCombo_->count() == 0)
        return;
    if (index < 0 || index >= patternCombo_->count())
        index = 0;
    {
        const QSignalBlocker blocker(patternCombo_);
        patternCombo_->setCurrentIndex(index);
    }
    selectPattern();
}

void DrummerPage::selectPattern() {
    const std::optional<model::DrumPattern> pattern =
        library().DrumPatterns.GetAt(patternCombo_->currentIndex());
    if (!pattern)
        return;
    for (int track = 0; track < model::DrumPattern::kTracks; ++track) {
        instruments_[track] = pattern->Instruments[track];
        volumes_[track] = pattern->Volumes[track];
    }
    PatternGridEditor::Cells cells{};
    for (std::size_t i = 0; i < cells.size(); ++i)
        cells[i] = pattern->Pattern[i] != 0 ? 1 : 0;
    grid_->setCells(cells);
    name_->setText(toQString(pattern->Name));
    tempo_->setText(QString::number(pattern->Tempo));
    selectTrack();
}

bool DrummerPage::hasPattern() const {
    return patternCombo_->currentIndex() >= 0;
}

int DrummerPage::selectedTrackIndex() const {
    return std::clamp(trackList_->currentRow(), 0, model::DrumPattern::kTracks - 1);
}

void DrummerPage::selectTrack() {
    const int track = selectedTrackIndex();
    {
        // Showing the track's values is not choosing new ones.
        const QSignalBlocker instrumentBlocker(instrumentCombo_);
        const QSignalBlocker volumeBlocker(volume_);
        // A stored sound the list does not have shows no entry.
        const int sound = instruments_[track];
        instrumentCombo_->setCurrentIndex(sound >= 0 && sound < sound::kPercussionCount ? sound
                                                                                        : -1);
        volume_->setValue(kLoudest - volumes_[track]);
    }
    grid_->setSelectedTrack(track + 1);
}

void DrummerPage::setEditing(bool on) {
    for (Id id : kEditingControls)
        control<QWidget>(id)->setVisible(on);
    control<QLabel>(Id::EditingDisabledNotice)->setVisible(!on);
    clickAlong_->setVisible(!on);
    tap_->setVisible(!on);
}

void DrummerPage::playOrStop() {
    if (clickedPlay_.isPlaying()) {
        clickedPlay_.stop();
        return;
    }
    if (library().ChordPlayer.isPlaying()) {
        sequencer_.requestStop(*this);
        return;
    }
    if (clickAlong_->isWanted() && clickAlong_->isVisibleTo(this))
        playWithClicks();
    else
        sequencer_.start(*this, sequencerReports());
}

// The pattern's sixteen steps are a bar of 4/4, four steps a beat: counted
// in, clicked, and looped as Loop Pattern says when it starts. With no
// pattern the click plays alone, bar after bar.
void DrummerPage::playWithClicks() {
    clickAlong_->storeSettings(library().Settings);
    sound::Score score;
    score.entries = {{}};
    score.stepsPerEntry = sound::kDrumSteps;
    score.stepLength = [this] {
        return sound::Clock::Duration(sound::milliseconds(sound::stepMilliseconds(bpm_)));
    };
    score.drums = hasPattern() ? this : nullptr;
    if (score.drums == nullptr || loop_->isChecked())
        score.loop = sound::LoopRange{0, 0};
    clickAlong_->applyTo(score, model::Metre{4, 4}, library().Settings);
    sound::PlayAlongReports reports;
    reports.drumStep = [this](int step) {
        uikit::callOnOwnerThread(this, [this, step] { grid_->setCurrentStep(step); });
    };
    reports.ended = [this] {
        uikit::callOnOwnerThread(this, [this] {
            grid_->setCurrentStep(1);
            showPlaying(false);
        });
    };
    if (clickedPlay_.start(std::move(score), std::move(reports)))
        showPlaying(true);
}

void DrummerPage::updatePattern() {
    const int index = patternCombo_->currentIndex();
    if (!library().DrumPatterns.GetAt(index))
        return;
    model::DrumPattern pattern;
    pattern.Name = fromQString(name_->text());
    pattern.Tempo = formats::leadingInteger(fromQString(tempo_->text()));
    formats::PatternGrid grid{};
    const PatternGridEditor::Cells cells = grid_->cells();
    for (std::size_t i = 0; i < cells.size(); ++i)
        grid[i] = cells[i];
    // Stored as the chordfile writes it, so what is kept is what a reload gives.
    pattern.Pattern = formats::parsePattern(formats::patternText(grid));
    for (int track = 0; track < model::DrumPattern::kTracks; ++track) {
        pattern.Instruments[track] = instruments_[track];
        pattern.Volumes[track] = volumes_[track];
    }
    library().DrumPatterns.SetAt(index, pattern);
    refreshDrumPatterns();
}

void DrummerPage::removePattern() {
    const std::optional<model::DrumPattern> pattern =
        library().DrumPatterns.GetAt(patternCombo_->currentIndex());
    if (!pattern)
        return;
    const uikit::MessageAnswer answer = uikit::showMessage(
        this, {translate("Remove") + QStringLiteral(": ") + toQString(pattern->Name),
               translate("Remove") + QStringLiteral("?"), uikit::MessageIcon::Question,
               uikit::MessageButtons::YesNo});
    if (answer != uikit::MessageAnswer::Yes)
        return;
    library().DrumPatterns.RemoveAt(patternCombo_->currentIndex());
    refreshDrumPatterns();
}

void DrummerPage::newPattern() {
    model::DrumPattern pattern;
    pattern.Name = "New Pattern";
    library().DrumPatterns.Add(pattern);
    refreshDrumPatterns();
    patternCombo_->setCurrentIndex(patternCombo_->count() - 1);
    selectPattern();
}

bool DrummerPage::hit(int step, int track) {
    return grid_->hit(step, track);
}

int DrummerPage::instrument(int track) {
    return instruments_[track - 1];
}

int DrummerPage::volume(int track) {
    return volumes_[track - 1];
}

void DrummerPage::takeTempo() {
    const QString text = tempo_->text();
    // Parsed here, once, rather than at every step the sequencer plays.
    bpm_ = formats::leadingInteger(fromQString(text));
    const QSignalBlocker blocker(tempoUpDown_);
    tempoUpDown_->setValue(text.toInt());
    showBeats();
}

void DrummerPage::showBeats() {
    const int steps = bpm_;
    beatsLabel_->setText(
        steps > 0 ? translate("(%1 beats a minute)")
                        .arg(QString::number(double(steps) / sound::kStepsPerBeat, 'g', 4))
                  : QString());
    beatsLabel_->setAccessibleName(beatsLabel_->text());
}

sound::DrumReports DrummerPage::sequencerReports() {
    sound::DrumReports reports;
    reports.started = [this] { uikit::callOnOwnerThread(this, [this] { showPlaying(true); }); };
    reports.step = [this](int step) {
        uikit::callOnOwnerThread(this, [this, step] { grid_->setCurrentStep(step); });
    };
    reports.ended = [this] { uikit::callOnOwnerThread(this, [this] { showPlaying(false); }); };
    return reports;
}

void DrummerPage::showPlaying(bool playing) {
    play_->setText(translate(playing ? "Stop" : "Play"));
}

std::vector<QWidget*> DrummerPage::tabOrder() const {
    return {grid_,
            control<QWidget>(Id::TrackList),
            control<QWidget>(Id::VolumeTrackbar),
            control<QWidget>(Id::InstrumentCombo),
            control<QWidget>(Id::Tempo),
            control<QWidget>(Id::TempoUpDown),
            control<QWidget>(Id::DisableEditing),
            control<QWidget>(Id::EnableEditing),
            control<QWidget>(Id::PatternCombo),
            control<QWidget>(Id::LoopPattern),
            control<QWidget>(Id::Play),
            clickAlong_,
            tap_,
            control<QWidget>(Id::PatternName),
            control<QWidget>(Id::Update),
            control<QWidget>(Id::Remove),
            control<QWidget>(Id::New)};
}

} // namespace strumvale::pages
