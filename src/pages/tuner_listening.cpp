#include "pages/tuner_listening.h"

#include "pages/string_names.h"
#include "pages/tuning_meter.h"
#include "sound/audio_inputs.h"
#include "uikit/pixel_font.h"
#include "uikit/text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QWidget>
#include <cmath>
#include <utility>

namespace strumvale::pages {
namespace {

// Client-pixel places in the page: the check box above the string labels, the
// rest over the picture of the strings.
const QRect kListenBox(386, 6, 175, 20);
const QRect kMeter(386, 52, 175, 48);
const QRect kHeard(386, 102, 175, 26);
const QRect kStatus(386, 128, 175, 30);
const QRect kInputs(386, 160, 175, 22);
// A note further than this from every string's note belongs to none of them.
constexpr double kStringReachCents = 50;

QString signedCents(double cents) {
    const double shown = sound::shownCents(cents);
    return (shown >= 0 ? QStringLiteral("+") : QString()) + QString::number(shown, 'f', 1);
}

} // namespace

TunerListening::TunerListening(QWidget& page, Translate translate, sound::Clock& clock)
    : QObject(&page), translate_(std::move(translate)), tuner_(clock) {
    listen_ = new QCheckBox(&page);
    listen_->setGeometry(kListenBox);
    meter_ = new TuningMeter(&page);
    meter_->setGeometry(kMeter);
    heard_ = new QLabel(&page);
    heard_->setGeometry(kHeard);
    heard_->setAlignment(Qt::AlignCenter);
    QFont large = uikit::scaledFont(heard_->font(), 1.4);
    large.setBold(true);
    heard_->setFont(large);
    status_ = new QLabel(&page);
    status_->setGeometry(kStatus);
    status_->setAlignment(Qt::AlignCenter);
    status_->setWordWrap(true);
    inputs_ = new QComboBox(&page);
    inputs_->setGeometry(kInputs);
    showPanel(false);
    connect(this, &TunerListening::reportWaiting, this, &TunerListening::takeReports,
            Qt::QueuedConnection);
    connect(listen_, &QCheckBox::toggled, this, [this](bool on) { setListening(on); });
    connect(inputs_, &QComboBox::activated, this, [this](int input) { listenOn(input); });
    retranslate();
}

TunerListening::~TunerListening() {
    tuner_.stop();
}

void TunerListening::pageHidden() {
    if (!tuner_.isListening())
        return;
    stopInput();
    heldWhileHidden_ = true;
    show(std::nullopt);
}

void TunerListening::pageShown() {
    if (!heldWhileHidden_)
        return;
    heldWhileHidden_ = false;
    if (listen_->isChecked())
        listenOn(inputs_->currentIndex());
}

void TunerListening::retranslate() {
    listen_->setText(translate_("Listen"));
    inputs_->setAccessibleName(translate_("Input device"));
    meter_->setAccessibleName(translate_("Tuning meter"));
    heard_->setAccessibleName(translate_("Heard note"));
    show(reading_, fading_);
}

void TunerListening::setTuningNotes(std::string notes) {
    tuningNotes_ = std::move(notes);
    show(reading_, fading_);
}

void TunerListening::setA4(double a4) {
    if (a4 == a4_)
        return;
    a4_ = a4;
    tuner_.setA4(a4);
    if (tuner_.isListening())
        listenOn(inputs_->currentIndex());
}

void TunerListening::setReferenceSounding(bool sounding) {
    tuner_.setPaused(sounding);
    if (sounding)
        show(std::nullopt);
}

bool TunerListening::isShown() const {
    return listen_->isChecked();
}

std::optional<int> TunerListening::matchedString() const {
    if (!match_)
        return std::nullopt;
    return match_->string;
}

bool TunerListening::inTune() const {
    // The string's own note, not merely some note, must be in tune.
    return match_ && std::abs(match_->cents) <= TuningMeter::kInTuneCents;
}

void TunerListening::setListening(bool on) {
    showPanel(on);
    if (!on) {
        heldWhileHidden_ = false;
        stopInput();
        show(std::nullopt);
        return;
    }
    const QString chosen = inputs_->currentData().toString();
    {
        const QSignalBlocker blocker(inputs_);
        inputs_->clear();
        for (const platform::AudioInputDevice& device : sound::audioInputDevices())
            inputs_->addItem(uikit::fromSystem(device.name), uikit::fromSystem(device.id));
        inputs_->setCurrentIndex(std::max(0, inputs_->findData(chosen)));
    }
    emit changed();
    if (inputs_->count() == 0) {
        showProblem("No input device was found.");
        return;
    }
    listenOn(inputs_->currentIndex());
}

void TunerListening::listenOn(int input) {
    stopInput();
    show(std::nullopt);
    sound::ListeningReports reports;
    reports.heard = [this](const std::optional<sound::PitchReading>& reading, bool fading) {
        post([&](Mailbox& mailbox) {
            mailbox.reading = reading;
            mailbox.fading = fading;
        });
    };
    reports.failed = [this](const std::string& error) {
        post([&](Mailbox& mailbox) { mailbox.failure = error; });
    };
    const std::optional<std::string> error =
        tuner_.start(uikit::toSystem(inputs_->itemData(input).toString()), std::move(reports));
    if (error)
        showProblem("Could not open the input device.", uikit::fromSystem(*error));
}

// On the capture thread. Only the latest reading matters, so a reading that
// waits is replaced rather than queued behind it, and one queued call at a
// time wakes the page; Qt drops the call if the page is gone by then. The
// call is posted under the mutex the page takes first, so the page's thread
// sees all the call carries, also to a race checker that cannot see into Qt.
void TunerListening::post(const std::function<void(Mailbox&)>& put) {
    const std::lock_guard lock(mailboxMutex_);
    put(mailbox_);
    if (!mailbox_.wakeQueued) {
        mailbox_.wakeQueued = true;
        emit reportWaiting();
    }
}

void TunerListening::takeReports() {
    Mailbox taken;
    {
        const std::lock_guard lock(mailboxMutex_);
        taken = std::exchange(mailbox_, Mailbox{});
    }
    if (taken.reading)
        show(*taken.reading, taken.fading);
    if (taken.failure) {
        tuner_.stop();
        showProblem("The input device stopped working.", uikit::fromSystem(*taken.failure));
    }
}

// What a stopped input reported must not show, nor for the next input.
void TunerListening::stopInput() {
    tuner_.stop();
    const std::lock_guard lock(mailboxMutex_);
    mailbox_.reading.reset();
    mailbox_.failure.reset();
}

void TunerListening::showPanel(bool shown) {
    for (QWidget* widget : {static_cast<QWidget*>(meter_), static_cast<QWidget*>(heard_),
                            static_cast<QWidget*>(status_), static_cast<QWidget*>(inputs_)})
        widget->setVisible(shown);
}

void TunerListening::show(const std::optional<sound::PitchReading>& reading, bool fading) {
    reading_ = reading;
    fading_ = reading && fading;
    // A fading string's last reading stays, dimmed, until the string is quiet.
    for (QWidget* widget : {static_cast<QWidget*>(meter_), static_cast<QWidget*>(heard_),
                            static_cast<QWidget*>(status_)})
        widget->setEnabled(!fading_);
    status_->setToolTip(QString());
    match_ = reading ? sound::nearestString(tuningNotes_, reading->frequency, a4_) : std::nullopt;
    // A note that is no string's note is shown as a chromatic tuner shows it,
    // and no string is named for it.
    if (match_ && std::abs(match_->cents) > kStringReachCents)
        match_.reset();
    meter_->setCents(reading ? std::optional<double>(match_ ? match_->cents : reading->cents)
                             : std::nullopt,
                     match_.has_value());
    if (!reading) {
        heard_->setText(QString());
        if (tuner_.isListening())
            status_->setText(QString());
        meter_->setAccessibleDescription(QString());
        emit changed();
        return;
    }
    const QString cents = signedCents(match_ ? match_->cents : reading->cents) +
                          QStringLiteral(" ") + translate_("cents");
    heard_->setText(uikit::toQString(reading->note) + QStringLiteral("  ") + cents);
    const QString string =
        match_ ? stringName(translate_, match_->string, tuningNotes_) : QString();
    status_->setText(inTune() ? translate_("In tune") + QStringLiteral(" · ") + string : string);
    meter_->setAccessibleDescription(cents);
    // Read out by screen readers as one text.
    heard_->setAccessibleDescription(status_->text().isEmpty()
                                         ? heard_->text()
                                         : heard_->text() + QStringLiteral(", ") + status_->text());
    emit changed();
}

void TunerListening::showProblem(std::string_view key, const QString& detail) {
    show(std::nullopt);
    status_->setText(translate_(key));
    status_->setToolTip(detail);
}

} // namespace strumvale::pages
