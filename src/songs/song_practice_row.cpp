#include "songs/song_practice_row.h"

#include "model/metre.h"
#include "model/song.h"
#include "practice/click_along.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <utility>

namespace strumvale::songs {

SongPracticeRow::SongPracticeRow(Translate translate, QWidget* parent)
    : QWidget(parent), translate_(std::move(translate)) {
    click_ = new practice::ClickAlong(translate_, QBoxLayout::LeftToRight, this);
    loop_ = new practice::LoopAlong(translate_, QBoxLayout::LeftToRight, this);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(click_);
    layout->addWidget(loop_, 1);
    connect(loop_, &practice::LoopAlong::rangeChanged, this, &SongPracticeRow::loopLinesChanged);
    retranslate();
}

void SongPracticeRow::retranslate() {
    click_->retranslate();
    loop_->retranslate();
    loop_->loopBox().setToolTip(
        translate_("Click a line of the sheet to loop it, Shift+click another to loop up to it"));
}

void SongPracticeRow::setLineCount(int lines) {
    if (anchor_ && *anchor_ >= lines)
        anchor_.reset();
    loop_->setCount(lines);
}

void SongPracticeRow::takeSettings(const model::Settings& settings) {
    click_->takeSettings(settings);
}

void SongPracticeRow::storeSettings(model::Settings& settings) const {
    click_->storeSettings(settings);
}

void SongPracticeRow::applyTo(sound::Score& score, const model::Song& song,
                              const model::Settings& settings) const {
    // In the song's own metre; 4/4 when it names none.
    click_->applyTo(score,
                    model::parseMetre(song.meta("time").value_or("")).value_or(model::Metre{4, 4}),
                    settings);
    if (const auto lines = loop_->range()) {
        if (const auto entries = model::chordsOfLines(song, lines->first, lines->second))
            score.loop = sound::LoopRange{entries->first, entries->second};
    }
    score.speed = loop_->speed();
}

void SongPracticeRow::pickLine(int line, bool extend) {
    if (!extend || !anchor_)
        anchor_ = line;
    loop_->setRange(*anchor_, line);
}

std::optional<std::pair<int, int>> SongPracticeRow::loopLines() const {
    return loop_->range();
}

void SongPracticeRow::showTempo(std::optional<int> bpm) {
    loop_->showTempo(bpm);
}

} // namespace strumvale::songs
