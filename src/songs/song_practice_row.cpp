#include "songs/song_practice_row.h"

#include "model/metre.h"
#include "model/settings.h"
#include "model/song.h"
#include "practice/speed_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

namespace strumvale::songs {

SongPracticeRow::SongPracticeRow(Translate translate, QWidget* parent)
    : QWidget(parent), translate_(std::move(translate)) {
    click_ = new QCheckBox(this);
    click_->setObjectName(QStringLiteral("songClick"));
    countIn_ = new QComboBox(this);
    countIn_->setObjectName(QStringLiteral("songCountIn"));
    loop_ = new QCheckBox(this);
    loop_->setObjectName(QStringLiteral("loopLines"));
    from_ = new QSpinBox(this);
    from_->setObjectName(QStringLiteral("loopFrom"));
    dash_ = new QLabel(QStringLiteral("\u2013"), this);
    to_ = new QSpinBox(this);
    to_->setObjectName(QStringLiteral("loopTo"));
    speed_ = new practice::SpeedControls(translate_, this);
    setLineCount(1);
    // A range the wrong way round follows the end just moved.
    connect(from_, &QSpinBox::valueChanged, this, [this](int from) {
        if (to_->value() < from)
            to_->setValue(from);
    });
    connect(to_, &QSpinBox::valueChanged, this, [this](int to) {
        if (from_->value() > to)
            from_->setValue(to);
    });

    auto* row = new QHBoxLayout;
    for (QWidget* widget :
         std::initializer_list<QWidget*>{click_, countIn_, loop_, from_, dash_, to_})
        row->addWidget(widget);
    row->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(row);
    layout->addWidget(speed_);
    retranslate();
}

void SongPracticeRow::retranslate() {
    click_->setText(translate_("Metronome"));
    click_->setAccessibleName(click_->text());
    const int countIn = std::max(0, countIn_->currentIndex());
    {
        const QSignalBlocker quiet(countIn_);
        countIn_->clear();
        countIn_->addItems({translate_("No count-in"), translate_("1 bar"), translate_("2 bars")});
        countIn_->setCurrentIndex(countIn);
    }
    countIn_->setAccessibleName(translate_("Count-in"));
    loop_->setText(translate_("Loop lines"));
    loop_->setAccessibleName(loop_->text());
    from_->setAccessibleName(translate_("From line"));
    to_->setAccessibleName(translate_("To line"));
    speed_->retranslate();
}

void SongPracticeRow::setLineCount(int lines) {
    const int last = std::max(1, lines);
    // The same song transposed keeps the range chosen.
    if (to_->maximum() == last && from_->maximum() == last)
        return;
    from_->setRange(1, last);
    to_->setRange(1, last);
    to_->setValue(last);
}

void SongPracticeRow::takeSettings(const model::Settings& settings) {
    countIn_->setCurrentIndex(std::clamp<int>(settings.Countinbars, 0, 2));
}

void SongPracticeRow::storeSettings(model::Settings& settings) const {
    settings.Countinbars = countIn_->currentIndex();
}

void SongPracticeRow::applyTo(sound::Score& score, const model::Song& song,
                              const model::Settings& settings) const {
    const int countIn = std::max(0, countIn_->currentIndex());
    if (click_->isChecked() || countIn > 0) {
        sound::Metronome metronome;
        // In the song's own metre; 4/4 when it names none.
        metronome.metre =
            model::parseMetre(song.meta("time").value_or("")).value_or(model::Metre{4, 4});
        metronome.clicks = click_->isChecked();
        metronome.subdivide = settings.Clicksubdivision;
        metronome.countInBars = countIn;
        metronome.sounds.accent = settings.Clickaccent;
        metronome.sounds.beat = settings.Clickbeat;
        metronome.sounds.volume = settings.Clickvolume;
        score.metronome = metronome;
    }
    if (loop_->isChecked()) {
        if (const auto entries = model::chordsOfLines(song, from_->value() - 1, to_->value() - 1))
            score.loop = sound::LoopRange{entries->first, entries->second};
    }
    score.speed = speed_->speed();
}

void SongPracticeRow::showTempo(std::optional<int> bpm) {
    speed_->showTempo(bpm);
}

} // namespace strumvale::songs
