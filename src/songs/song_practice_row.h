#pragma once

#include "sound/play_along.h"

#include <QWidget>
#include <functional>
#include <optional>
#include <string_view>

class QCheckBox;
class QComboBox;
class QLabel;
class QSpinBox;

namespace strumvale::model {
struct Settings;
struct Song;
} // namespace strumvale::model

namespace strumvale::practice {
class SpeedControls;
}

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

    QCheckBox& clickBox() const { return *click_; }
    QComboBox& countInBox() const { return *countIn_; }
    QCheckBox& loopBox() const { return *loop_; }
    QSpinBox& fromLine() const { return *from_; }
    QSpinBox& toLine() const { return *to_; }
    practice::SpeedControls& speed() const { return *speed_; }

private:
    Translate translate_;
    QCheckBox* click_ = nullptr;
    QComboBox* countIn_ = nullptr;
    QCheckBox* loop_ = nullptr;
    QSpinBox* from_ = nullptr;
    QLabel* dash_ = nullptr;
    QSpinBox* to_ = nullptr;
    practice::SpeedControls* speed_ = nullptr;
};

} // namespace strumvale::songs
