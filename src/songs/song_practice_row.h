#pragma once

#include "sound/play_along.h"

#include <QWidget>
#include <functional>
#include <optional>
#include <string_view>
#include <utility>

namespace strumvale::model {
struct Settings;
struct Song;
} // namespace strumvale::model

namespace strumvale::practice {
class ClickAlong;
class LoopAlong;
} // namespace strumvale::practice

namespace strumvale::songs {

// Practising along with a song: the click in the song's metre, a count-in,
// a loop of its lines and the speed trainer, beside the window's Play.
class SongPracticeRow : public QWidget {
    Q_OBJECT
public:
    using Translate = std::function<QString(std::string_view key)>;

    explicit SongPracticeRow(Translate translate, QWidget* parent = nullptr);

    void retranslate();
    // The song's lyric lines, which the loop may span.
    void setLineCount(int lines);
    void takeSettings(const model::Settings& settings);
    void storeSettings(model::Settings& settings) const;
    // The click, count-in, loop and speed steps asked for, on score.
    void applyTo(sound::Score& score, const model::Song& song,
                 const model::Settings& settings) const;
    // The speed trainer's tempo while it plays; none once it ends.
    void showTempo(std::optional<int> bpm);
    // A line picked in the sheet loops alone; extended, the loop runs from the
    // line picked before to this one.
    void pickLine(int line, bool extend);
    // The lines looped (from 0), while the loop is on.
    std::optional<std::pair<int, int>> loopLines() const;

    practice::ClickAlong& click() const { return *click_; }
    practice::LoopAlong& loop() const { return *loop_; }

signals:
    void loopLinesChanged();

private:
    Translate translate_;
    practice::ClickAlong* click_ = nullptr;
    practice::LoopAlong* loop_ = nullptr;
    std::optional<int> anchor_;
};

} // namespace strumvale::songs
