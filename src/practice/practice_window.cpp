#include "practice/practice_window.h"

#include "library/chord_library.h"
#include "library/practice_log.h"
#include "library/song_shapes.h"
#include "model/tuning_notes.h"
#include "platform/file_error.h"
#include "practice/click_controls.h"
#include "practice/drill_panel.h"
#include "practice/practice_host.h"
#include "practice/speed_controls.h"
#include "uikit/text.h"
#include "uikit/worker_call.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

namespace strumvale::practice {
namespace {

// The user's log; none (and the drill still runs) when its folder cannot be made.
std::unique_ptr<library::PracticeLog> openLog() {
    try {
        return std::make_unique<library::PracticeLog>(library::PracticeLog::defaultPath());
    } catch (const platform::FileError&) {
        return nullptr;
    }
}

void addOnce(std::vector<std::string>& names, const std::string& name) {
    if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end())
        names.push_back(name);
}

} // namespace

PracticeWindow::PracticeWindow(PracticeHost& host, QWidget* parent)
    : QWidget(parent, Qt::Window), host_(host), playAlong_(host.library().ChordPlayer) {
    setObjectName(QStringLiteral("practiceWindow"));
    sound::Clock& clock = host.library().ChordPlayer.clock();
    const auto translator = [this](std::string_view key) { return translate(key); };
    metronomeGroup_ = new QGroupBox(this);
    clicks_ = new ClickControls(translator, clock, metronomeGroup_);
    speed_ = new SpeedControls(translator, Qt::Horizontal, metronomeGroup_);
    play_ = new QPushButton(metronomeGroup_);
    play_->setObjectName(QStringLiteral("metronomePlay"));
    auto* metronomeLayout = new QVBoxLayout(metronomeGroup_);
    metronomeLayout->addWidget(clicks_);
    metronomeLayout->addWidget(speed_);
    drums_ = new QCheckBox(metronomeGroup_);
    drums_->setObjectName(QStringLiteral("drumsAlong"));
    auto* playRow = new QHBoxLayout;
    playRow->addWidget(play_);
    playRow->addWidget(drums_);
    playRow->addStretch();
    metronomeLayout->addLayout(playRow);

    const auto shapeOf = [this](const std::string& name) {
        // Diagrams show the standard tuning's shapes, as the library holds them.
        return library::chordShape(name, host_.library().Chords.items(),
                                   model::kStandardTuningNotes)
            .tab;
    };
    drill_ = new DrillPanel(translator, clock, shapeOf, openLog(), this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(metronomeGroup_);
    layout->addWidget(drill_, 1);
    resize(900, 560);

    connect(play_, &QPushButton::clicked, this, [this] { playOrStop(); });
    connect(drill_, &DrillPanel::startRequested, this, [this] { startDrill(); });
    connect(drill_, &DrillPanel::ended, this, [this] {
        drillStartsAfterCountIn_ = false;
        if (drill_->clicksAlong())
            playAlong_.stop();
    });
    connect(clicks_, &ClickControls::changed, this, [this] { storeSettings(); });
    refresh();
    retranslate();
}

PracticeWindow::~PracticeWindow() {
    playAlong_.stop();
}

QString PracticeWindow::translate(std::string_view key) const {
    return host_.translate(key);
}

void PracticeWindow::retranslate() {
    setWindowTitle(translate("Practice"));
    metronomeGroup_->setTitle(translate("Metronome"));
    clicks_->retranslate();
    speed_->retranslate();
    drums_->setText(translate("Play the drum pattern along"));
    drill_->retranslate();
    showControls();
}

void PracticeWindow::refresh() {
    ChordLibrary& library = host_.library();
    std::vector<std::string> names;
    for (const model::Chord& chord : library.Playlist.entries())
        if (!model::Playlist::isSeparator(chord))
            addOnce(names, chord.Name);
    for (const std::string& name : host_.songChordNames())
        addOnce(names, name);
    for (const model::Chord& chord : library.Chords.items())
        addOnce(names, chord.Name);
    drill_->setChoices(names);
    drums_->setEnabled(host_.drummerPatternLoaded());
    const QSignalBlocker quiet(clicks_);
    clicks_->takeSettings(library.Settings);
    drill_->setLengthSeconds(std::clamp<int>(library.Settings.Drillseconds, 10, 600));
}

void PracticeWindow::drill(const std::vector<std::string>& chords) {
    drill_->setChords(chords);
}

void PracticeWindow::storeSettings() {
    model::Settings& settings = host_.library().Settings;
    clicks_->storeSettings(settings);
    settings.Drillseconds = drill_->lengthSeconds();
}

void PracticeWindow::playOrStop() {
    if (playAlong_.isPlaying()) {
        playAlong_.stop();
        return;
    }
    if (host_.refuseWhilePlaying(translate("Error")))
        return;
    startClicks(false);
}

bool PracticeWindow::startClicks(bool forDrill) {
    storeSettings();
    host_.library().StrummingPlayer();
    sound::Score score = sound::metronomeScore(clicks_->metronome(), clicks_->tempo());
    // The pattern's sixteen steps are a bar of 4/4 at the metronome's tempo.
    if (drums_->isChecked() && host_.drummerPatternLoaded())
        score.drums = &host_.drummerPattern();
    if (!forDrill)
        score.speed = speed_->speed();
    // Reported on the performance's thread; a report that arrives after the
    // window is gone is dropped.
    sound::PlayAlongReports reports;
    reports.tempo = [this](int bpm) {
        uikit::callOnOwnerThread(this, [this, bpm] { speed_->showTempo(bpm); });
    };
    reports.countIn = [this](int beatsLeft) {
        uikit::callOnOwnerThread(this, [this, beatsLeft] { drill_->showCountIn(beatsLeft); });
    };
    reports.entry = [this](int entry) {
        uikit::callOnOwnerThread(this, [this, entry] {
            if (entry == 0 && std::exchange(drillStartsAfterCountIn_, false))
                drill_->start();
        });
    };
    reports.ended = [this] {
        uikit::callOnOwnerThread(this, [this] {
            speed_->showTempo(std::nullopt);
            showControls();
        });
    };
    const bool started = playAlong_.start(std::move(score), std::move(reports));
    showControls();
    return started;
}

void PracticeWindow::startDrill() {
    if (!drill_->clicksAlong()) {
        drill_->start();
        return;
    }
    if (playAlong_.isPlaying())
        playAlong_.stop();
    playAlong_.waitUntilIdle();
    if (host_.refuseWhilePlaying(translate("Error")))
        return;
    drill_->setLoggedTempo(clicks_->tempo());
    const bool countIn = clicks_->metronome().countInBars > 0;
    if (countIn && !drill_->waitForCountIn())
        return;
    drillStartsAfterCountIn_ = countIn;
    if (!startClicks(true)) {
        drill_->stop();
        return;
    }
    if (!countIn)
        drill_->start();
}

void PracticeWindow::showControls() {
    play_->setText(playAlong_.isPlaying() ? translate("Stop") : translate("Play"));
    play_->setAccessibleName(play_->text());
}

void PracticeWindow::closeEvent(QCloseEvent* event) {
    drill_->stop();
    playAlong_.stop();
    QWidget::closeEvent(event);
}

void PracticeWindow::hideEvent(QHideEvent* event) {
    playAlong_.stop();
    QWidget::hideEvent(event);
}

} // namespace strumvale::practice
