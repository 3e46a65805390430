#include "songs/song_practice_row.h"

#include "model/metre.h"
#include "model/song.h"
#include "practice/click_along.h"

#include <QHBoxLayout>
#include <utility>

namespace strumvale::songs {

SongPracticeRow::SongPracticeRow(Translate translate, QWidget* parent) : QWidget(parent) {
    click_ = new practice::ClickAlong(translate, QBoxLayout::LeftToRight, this);
    loop_ = new practice::LoopAlong(translate, QBoxLayout::LeftToRight, this);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(click_);
    layout->addWidget(loop_, 1);
}

void SongPracticeRow::retranslate() {
    click_->retranslate();
    loop_->retranslate();
}

void SongPracticeRow::setLineCount(int lines) {
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

void SongPracticeRow::showTempo(std::optional<int> bpm) {
    loop_->showTempo(bpm);
}

} // namespace strumvale::songs
