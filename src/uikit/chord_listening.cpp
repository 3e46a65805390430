#include "uikit/chord_listening.h"

#include "model/notes.h"
#include "sound/audio_inputs.h"
#include "uikit/heard_colours.h"
#include "uikit/text.h"
#include "uikit/worker_call.h"

#include <QCheckBox>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <utility>

namespace strumvale::uikit {

namespace {

using Kind = sound::StringFinding::Kind;

// How often to look whether the program's own strum has died away.
constexpr int kResumeCheckMs = 100;

QString noteText(int midi) {
    return toQString(model::noteNameOfMidi(midi));
}

} // namespace

ChordListening::ChordListening(QWidget& page, const QRect& listenBox, QLabel& findings,
                               Translate translate, sound::Clock& clock)
    : QObject(&page), translate_(std::move(translate)), findings_(&findings), listener_(clock) {
    listen_ = new QCheckBox(&page);
    listen_->setGeometry(listenBox);
    resume_ = new QTimer(this);
    resume_->setInterval(kResumeCheckMs);
    connect(resume_, &QTimer::timeout, this, [this] {
        if (isSounding_ && isSounding_())
            return;
        resume_->stop();
        listener_.setPaused(false);
    });
    connect(listen_, &QCheckBox::toggled, this, [this](bool on) { setListening(on); });
    retranslate();
}

ChordListening::~ChordListening() {
    listener_.stop();
}

void ChordListening::retranslate() {
    listen_->setText(translate_("Listen"));
    findings_->setAccessibleName(translate_("Heard chord"));
}

void ChordListening::expect(const std::string& tab, const std::string& tuningNotes) {
    listener_.expect(sound::expectedStrum(tab, tuningNotes));
    clearFindings();
}

void ChordListening::programPlays(std::function<bool()> isSounding) {
    if (!listener_.isListening())
        return;
    isSounding_ = std::move(isSounding);
    listener_.setPaused(true);
    resume_->start();
}

void ChordListening::setA4(double a4) {
    if (a4 == a4_)
        return;
    a4_ = a4;
    listener_.setA4(a4);
    if (listener_.isListening())
        startInput();
}

void ChordListening::pageHidden() {
    if (!listener_.isListening())
        return;
    listener_.stop();
    heldWhileHidden_ = true;
}

void ChordListening::pageShown() {
    if (!std::exchange(heldWhileHidden_, false))
        return;
    if (listen_->isChecked())
        startInput();
}

void ChordListening::setListening(bool on) {
    heard_ = right_ = 0;
    clearFindings();
    if (!on) {
        heldWhileHidden_ = false;
        resume_->stop();
        listener_.stop();
        listener_.setPaused(false);
        return;
    }
    startInput();
}

// The first input there is: the file standing in for a microphone, else
// the system's default capture device.
void ChordListening::startInput() {
    const std::vector<platform::AudioInputDevice> devices = sound::audioInputDevices();
    if (devices.empty()) {
        showProblem("No input device was found.");
        return;
    }
    sound::ChordListeningReports reports;
    reports.heard = [this](const sound::StrumHeard& strum) {
        callOnOwnerThread(this, [this, strum] {
            if (listener_.isListening())
                show(strum);
        });
    };
    reports.failed = [this](const std::string& error) {
        callOnOwnerThread(this, [this, error] {
            listener_.stop();
            showProblem("The input device stopped working.", fromSystem(error));
        });
    };
    if (const std::optional<std::string> error = listener_.start(devices.front().id, reports))
        showProblem("Could not open the input device.", fromSystem(*error));
}

QString ChordListening::findingText(const sound::StringFinding& finding) const {
    const QString string = QString::number(finding.string);
    switch (finding.kind) {
    case Kind::Missing:
        return translate_("String %1: %2 missing").arg(string, noteText(finding.expected));
    case Kind::WrongNote:
        return translate_("String %1: %2 instead of %3")
            .arg(string, noteText(finding.heard), noteText(finding.expected));
    case Kind::RingsMuted:
        return translate_("String %1 rings but should be muted").arg(string);
    case Kind::Sounds:
    case Kind::MutedAsExpected:
    case Kind::CannotTell:
        break;
    }
    return {};
}

void ChordListening::show(const sound::StrumHeard& strum) {
    // With no chord to check, a strum is not counted: its notes are news.
    if (!strum.verdict) {
        emit notesHeard(strum.notes);
        return;
    }
    ++heard_;
    right_ += strum.verdict->right;
    std::array<QColor, 6> marks{};
    QStringList faults;
    for (const sound::StringFinding& finding : strum.verdict->strings) {
        const std::size_t index = static_cast<std::size_t>(6 - finding.string);
        if (finding.kind == Kind::Sounds)
            marks[index] = kInTuneColour;
        else if (const QString fault = findingText(finding); !fault.isEmpty()) {
            marks[index] = kOutOfTuneColour;
            faults.push_back(fault);
        }
    }
    const QString count = translate_("%1 of %2 right").arg(right_).arg(heard_);
    const QString said =
        faults.isEmpty() ? translate_("Sounds right") : faults.join(QStringLiteral("; "));
    findings_->setText(said + QStringLiteral(" \u00B7 ") + count);
    findings_->setToolTip(findings_->text());
    findings_->setAccessibleDescription(said + QStringLiteral(", ") + count);
    emit stringMarks(marks);
    emit strumJudged(strum.verdict->right);
}

void ChordListening::showProblem(std::string_view key, const QString& detail) {
    clearFindings();
    findings_->setText(translate_(key));
    findings_->setToolTip(detail);
    findings_->setAccessibleDescription(findings_->text());
}

void ChordListening::clearFindings() {
    findings_->clear();
    findings_->setToolTip(QString());
    findings_->setAccessibleDescription(QString());
    emit stringMarks({});
}

} // namespace strumvale::uikit
