#pragma once

#include "sound/clock.h"
#include "sound/metronome.h"

#include <QWidget>
#include <functional>
#include <string_view>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace strumvale::model {
struct Settings;
}

namespace strumvale::practice {

class TapButton;

// The metronome's controls, as a row that stands beside the Play buttons
// that use it: metre, tempo with tap tempo, subdivisions, count-in, the two
// click sounds and their volume.
class ClickControls : public QWidget {
    Q_OBJECT
public:
    using Translate = std::function<QString(std::string_view key)>;

    ClickControls(Translate translate, sound::Clock& clock, QWidget* parent = nullptr);

    void retranslate();
    // Takes the click sounds, count-in, subdivision and tempo the settings keep.
    void takeSettings(const model::Settings& settings);
    void storeSettings(model::Settings& settings) const;

    sound::Metronome metronome() const;
    void setMetre(const model::Metre& metre);
    int tempo() const;
    void setTempo(int bpm);

    QComboBox& metreBox() const { return *metre_; }
    QSpinBox& tempoBox() const { return *tempo_; }
    QPushButton& tapButton() const;
    QComboBox& countInBox() const { return *countIn_; }

signals:
    void changed();

private:
    Translate translate_;
    QLabel* metreLabel_ = nullptr;
    QComboBox* metre_ = nullptr;
    QLabel* tempoLabel_ = nullptr;
    QSpinBox* tempo_ = nullptr;
    TapButton* tap_ = nullptr;
    QCheckBox* subdivide_ = nullptr;
    QComboBox* countIn_ = nullptr;
    QLabel* accentLabel_ = nullptr;
    QComboBox* accent_ = nullptr;
    QLabel* beatLabel_ = nullptr;
    QComboBox* beat_ = nullptr;
    QLabel* volumeLabel_ = nullptr;
    QSpinBox* volume_ = nullptr;
};

} // namespace strumvale::practice
