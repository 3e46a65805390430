#pragma once

#include "sound/listening_tuner.h"

#include <QObject>
#include <QString>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

class QCheckBox;
class QComboBox;
class QLabel;
class QWidget;

namespace strumvale::pages {

class TuningMeter;

// The Guitar Tuner page's listening mode: Listen switches it on, an input
// device is chosen, and the heard note shows with a meter of how far it is off
// and the string of the tuning it belongs to. Its widgets sit in the page's
// picture area, which they take over while listening.
class TunerListening : public QObject {
    Q_OBJECT
public:
    using Translate = std::function<QString(std::string_view key)>;

    TunerListening(QWidget& page, Translate translate, sound::Clock& clock = sound::steadyClock());
    ~TunerListening() override;

    void retranslate();
    // The selected tuning's notes, string 6 first, as "E1,A1,...".
    void setTuningNotes(std::string notes);
    // A reference note sounds: the tuner must not hear itself.
    void setReferenceSounding(bool sounding);
    // The A4 that notes are named and strings matched by; listening starts
    // afresh on it.
    void setA4(double a4);
    // While the page is hidden the input is let go, and taken again when it shows.
    void pageHidden();
    void pageShown();

    bool isShown() const;
    bool isListening() const { return tuner_.isListening(); }
    // The string the heard note belongs to (6 .. 1), and whether it is in tune.
    std::optional<int> matchedString() const;
    bool inTune() const;
    // The reading shown is a fading string's last, dimmed.
    bool isFading() const { return fading_; }

    QCheckBox& listenBox() const { return *listen_; }
    QComboBox& inputs() const { return *inputs_; }
    TuningMeter& meter() const { return *meter_; }
    QLabel& heardNote() const { return *heard_; }
    QLabel& status() const { return *status_; }

signals:
    // The page redraws its picture and labels.
    void changed();
    // Emitted on the capture thread when a report waits for the page.
    void reportWaiting();

private:
    // Reports from the capture thread waiting for the page's thread.
    struct Mailbox {
        std::optional<std::optional<sound::PitchReading>> reading;
        bool fading = false;
        std::optional<std::string> failure;
        bool wakeQueued = false;
    };

    void post(const std::function<void(Mailbox&)>& put);
    void takeReports();
    void stopInput();
    void showPanel(bool shown);
    void setListening(bool on);
    void listenOn(int input);
    void show(const std::optional<sound::PitchReading>& reading, bool fading = false);
    void showProblem(std::string_view key, const QString& detail = {});

    Translate translate_;
    QCheckBox* listen_ = nullptr;
    QComboBox* inputs_ = nullptr;
    TuningMeter* meter_ = nullptr;
    QLabel* heard_ = nullptr;
    QLabel* status_ = nullptr;
    std::string tuningNotes_;
    double a4_ = sound::kStandardA4;
    std::optional<sound::PitchReading> reading_;
    bool fading_ = false;
    std::optional<sound::StringMatch> match_;
    bool heldWhileHidden_ = false;
    std::mutex mailboxMutex_;
    Mailbox mailbox_;
    // Last: its thread ends before anything it reports to goes.
    sound::ListeningTuner tuner_;
};

} // namespace strumvale::pages
