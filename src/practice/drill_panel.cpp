#include "practice/drill_panel.h"

#include "model/tuning_notes.h"
#include "platform/file_error.h"
#include "platform/local_date.h"
#include "practice/chord_diagram_view.h"
#include "practice/progress_plot.h"
#include "sound/clock.h"
#include "uikit/chord_listening.h"
#include "uikit/text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

namespace strumvale::practice {
namespace {

using uikit::fromQString;
using uikit::toQString;

// The time left is shown to the tenth of a second it may change by.
constexpr int kTickMs = 100;

QString joined(const std::vector<std::string>& chords) {
    QStringList names;
    for (const std::string& chord : chords)
        names << toQString(chord);
    return names.join(QStringLiteral(" \u2013 "));
}

} // namespace

DrillPanel::DrillPanel(Translate translate, sound::Clock& clock, ShapeOf shapeOf,
                       std::unique_ptr<library::PracticeLog> log, QWidget* parent)
    : QGroupBox(parent), translate_(std::move(translate)), clock_(clock),
      shapeOf_(std::move(shapeOf)), log_(std::move(log)) {
    chordsLabel_ = new QLabel(this);
    choice_ = new QComboBox(this);
    choice_->setObjectName(QStringLiteral("chordChoice"));
    chordsLabel_->setBuddy(choice_);
    add_ = new QPushButton(this);
    add_->setObjectName(QStringLiteral("addChord"));
    chosen_ = new QListWidget(this);
    chosen_->setObjectName(QStringLiteral("drillChords"));
    chosen_->setFlow(QListView::LeftToRight);
    chosen_->setMaximumHeight(chosen_->fontMetrics().height() * 2 + 8);
    remove_ = new QPushButton(this);
    remove_->setObjectName(QStringLiteral("removeChord"));
    suggestedLabel_ = new QLabel(this);
    suggested_ = new QComboBox(this);
    suggested_->setObjectName(QStringLiteral("suggestedPairs"));
    suggestedLabel_->setBuddy(suggested_);
    use_ = new QPushButton(this);
    use_->setObjectName(QStringLiteral("useSuggestion"));
    lengthLabel_ = new QLabel(this);
    length_ = new QSpinBox(this);
    length_->setObjectName(QStringLiteral("drillLength"));
    length_->setRange(10, 600);
    length_->setSingleStep(10);
    length_->setValue(60);
    lengthLabel_->setBuddy(length_);
    clicks_ = new QCheckBox(this);
    clicks_->setObjectName(QStringLiteral("clicksAlong"));
    start_ = new QPushButton(this);
    start_->setObjectName(QStringLiteral("startDrill"));
    now_ = new ChordDiagramView(this);
    now_->setObjectName(QStringLiteral("nowChord"));
    next_ = new ChordDiagramView(this);
    next_->setObjectName(QStringLiteral("nextChord"));
    next_->setDimmed(true);
    counter_ = new QLabel(this);
    counter_->setObjectName(QStringLiteral("drillCounter"));
    hint_ = new QLabel(this);
    heard_ = new QLabel(this);
    heard_->setObjectName(QStringLiteral("heardChord"));
    heard_->setTextFormat(Qt::PlainText);
    listening_ = new uikit::ChordListening(*this, QRect(), *heard_, translate_, clock_);
    plot_ = new ProgressPlot(this);
    plot_->setObjectName(QStringLiteral("progressPlot"));
    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("drillMessage"));
    message_->setWordWrap(true);
    message_->setTextFormat(Qt::PlainText);

    auto* pick = new QHBoxLayout;
    for (QWidget* widget : std::initializer_list<QWidget*>{
             chordsLabel_, choice_, add_, chosen_, remove_, suggestedLabel_, suggested_, use_})
        pick->addWidget(widget);
    auto* run = new QHBoxLayout;
    for (QWidget* widget : std::initializer_list<QWidget*>{
             lengthLabel_, length_, clicks_, &listening_->listenBox(), start_, counter_})
        run->addWidget(widget);
    // The listen box is made after the start button; Tab follows the row.
    QWidget::setTabOrder(&listening_->listenBox(), start_);
    run->addStretch();
    auto* diagrams = new QHBoxLayout;
    diagrams->addWidget(now_);
    diagrams->addWidget(next_);
    diagrams->addWidget(plot_, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(pick);
    layout->addLayout(run);
    layout->addWidget(hint_);
    layout->addWidget(heard_);
    layout->addLayout(diagrams, 1);
    layout->addWidget(message_);

    ticker_ = new QTimer(this);
    ticker_->setInterval(kTickMs);
    connect(ticker_, &QTimer::timeout, this, [this] { refresh(); });
    // Space counts a change wherever the focus is in the window, but only
    // while a drill runs: otherwise it presses buttons as always.
    space_ = new QShortcut(QKeySequence(Qt::Key_Space), this);
    space_->setContext(Qt::WindowShortcut);
    space_->setEnabled(false);
    connect(space_, &QShortcut::activated, this, [this] { countChange(); });
    // Listening, only a change heard right counts: Space would count any.
    connect(listening_, &uikit::ChordListening::strumJudged, this, [this](bool right) {
        if (right)
            countChange();
    });
    connect(&listening_->listenBox(), &QCheckBox::toggled, this, [this] { showCountingWay(); });
    connect(add_, &QPushButton::clicked, this, [this] { addChosen(); });
    connect(remove_, &QPushButton::clicked, this, [this] { removeChosen(); });
    connect(use_, &QPushButton::clicked, this, [this] { useSuggestion(); });
    connect(start_, &QPushButton::clicked, this, [this] {
        if (isRunning() || countingIn_)
            stop();
        else
            emit startRequested();
    });
    connect(suggested_, &QComboBox::currentIndexChanged, this, [this] { showProgress(); });
    retranslate();
    fillSuggestions();
    // The weakest pair first: the one to drill unless another is picked.
    useSuggestion();
    tellLogState();
}

DrillPanel::~DrillPanel() = default;

void DrillPanel::retranslate() {
    setTitle(translate_("Change drill"));
    chordsLabel_->setText(translate_("Chords to change between") + ":");
    choice_->setAccessibleName(translate_("Chords to change between"));
    add_->setText(translate_("Add"));
    chosen_->setAccessibleName(translate_("Chords"));
    remove_->setText(translate_("Remove"));
    suggestedLabel_->setText(translate_("Suggested") + ":");
    suggested_->setAccessibleName(translate_("Suggested"));
    use_->setText(translate_("Use"));
    lengthLabel_->setText(translate_("Length (seconds)") + ":");
    length_->setAccessibleName(translate_("Length (seconds)"));
    clicks_->setText(translate_("Click during the drill"));
    start_->setText(isRunning() ? translate_("Stop drill") : translate_("Start drill"));
    listening_->retranslate();
    showCountingWay();
    now_->setCaption(translate_("Now"));
    next_->setCaption(translate_("Next"));
    counter_->setAccessibleName(translate_("Changes"));
    plot_->setAxisText(translate_("Changes a minute"));
    plot_->setEmptyText(translate_("No results yet"));
    message_->setAccessibleName(message_->text());
    showCounter();
}

void DrillPanel::setChoices(const std::vector<std::string>& names) {
    const QString kept = choice_->currentText();
    choice_->clear();
    for (const std::string& name : names)
        choice_->addItem(toQString(name));
    if (const int at = choice_->findText(kept); at >= 0)
        choice_->setCurrentIndex(at);
}

void DrillPanel::setChords(const std::vector<std::string>& chords) {
    chosen_->clear();
    for (const std::string& chord : chords)
        chosen_->addItem(toQString(chord));
    showChords();
    showProgress();
}

std::vector<std::string> DrillPanel::chords() const {
    std::vector<std::string> chords;
    for (int row = 0; row < chosen_->count(); ++row)
        chords.push_back(fromQString(chosen_->item(row)->text()));
    return chords;
}

void DrillPanel::setLengthSeconds(int seconds) {
    length_->setValue(seconds);
}

int DrillPanel::lengthSeconds() const {
    return length_->value();
}

bool DrillPanel::clicksAlong() const {
    return clicks_->isChecked();
}

void DrillPanel::addChosen() {
    if (choice_->currentIndex() < 0)
        return;
    chosen_->addItem(choice_->currentText());
    showChords();
    showProgress();
}

void DrillPanel::removeChosen() {
    const int row = chosen_->currentRow() >= 0 ? chosen_->currentRow() : chosen_->count() - 1;
    delete chosen_->takeItem(row);
    showChords();
    showProgress();
}

void DrillPanel::useSuggestion() {
    if (log_ == nullptr || suggested_->currentIndex() < 0)
        return;
    const auto pairs = log_->pairsWeakestFirst();
    const auto index = static_cast<std::size_t>(suggested_->currentIndex());
    if (index < pairs.size())
        setChords(pairs[index]);
}

bool DrillPanel::waitForCountIn() {
    if (chords().size() < 2) {
        message_->setText(translate_("Pick at least two chords."));
        return false;
    }
    countingIn_ = true;
    start_->setText(translate_("Stop drill"));
    message_->clear();
    return true;
}

void DrillPanel::showCountIn(int beatsLeft) {
    if (!countingIn_)
        return;
    counter_->setText(translate_("Counting in: %1").arg(beatsLeft));
    counter_->setAccessibleDescription(counter_->text());
}

bool DrillPanel::start() {
    const std::vector<std::string> picked = chords();
    countingIn_ = false;
    if (picked.size() < 2) {
        message_->setText(translate_("Pick at least two chords."));
        start_->setText(translate_("Start drill"));
        return false;
    }
    drill_ = std::make_unique<library::ChangeDrill>(picked, std::chrono::seconds(length_->value()));
    drill_->start(clock_.now());
    message_->clear();
    ticker_->start();
    showCountingWay();
    start_->setText(translate_("Stop drill"));
    showChords();
    showCounter();
    return true;
}

void DrillPanel::stop() {
    if (std::exchange(countingIn_, false)) {
        start_->setText(translate_("Start drill"));
        showCounter();
        emit ended();
        return;
    }
    if (drill_ && drill_->hasRun())
        drill_->stop(clock_.now());
    finish();
}

bool DrillPanel::isRunning() const {
    return drill_ && drill_->isRunning(clock_.now());
}

void DrillPanel::countChange() {
    if (!drill_ || !drill_->change(clock_.now()))
        return;
    showChords();
    showCounter();
}

void DrillPanel::refresh() {
    if (!drill_ || !ticker_->isActive())
        return;
    if (drill_->isRunning(clock_.now())) {
        showCounter();
        return;
    }
    finish();
}

// Only a drill that ran its whole time is a result to compare with others.
void DrillPanel::finish() {
    const bool wasRunning = ticker_->isActive();
    ticker_->stop();
    showCountingWay();
    start_->setText(translate_("Start drill"));
    showCounter();
    if (!wasRunning || !drill_)
        return;
    emit ended();
    const library::ChangeDrill& drill = *drill_;
    if (!drill.ranItsLength()) {
        message_->setText(translate_("Drill not logged: stopped early."));
        return;
    }
    const QString rate = QString::number(drill.changesPerMinute(), 'f', 1);
    if (log_ == nullptr) {
        message_->setText(translate_("%1 a minute").arg(rate));
        return;
    }
    try {
        log_->add(drill.record(platform::localDate(), tempoLogged_));
        QString said = translate_("Logged: %1 changes a minute.").arg(rate);
        if (log_->keptAt())
            said += QLatin1Char(' ') + translate_("The damaged log was kept as %1.")
                                           .arg(uikit::fromSystem(*log_->keptAt()));
        message_->setText(said);
    } catch (const platform::FileError& error) {
        message_->setText(translate_("The practice log could not be written: %1")
                              .arg(uikit::fromSystem(error.what())));
    }
    message_->setAccessibleName(message_->text());
    fillSuggestions();
    showProgress();
}

// Listening hears the chord to change to; before a drill, the first one,
// so its shape can be checked before starting.
void DrillPanel::showChords() {
    const auto shapeOf = [this](const std::string& name) {
        return name.empty() ? std::string() : shapeOf_(name);
    };
    const auto showOne = [&](ChordDiagramView& view, const std::string& name) {
        view.setChord(toQString(name), shapeOf(name));
    };
    const std::vector<std::string> picked = chords();
    if (drill_ && drill_->hasRun() && drill_->chords() == picked) {
        showOne(*now_, drill_->current());
        showOne(*next_, drill_->next());
        listening_->expect(shapeOf(isRunning() ? drill_->next() : drill_->current()),
                           std::string(model::kStandardTuningNotes));
    } else {
        showOne(*now_, picked.empty() ? std::string() : picked[0]);
        showOne(*next_, picked.size() < 2 ? std::string() : picked[1]);
        listening_->expect(shapeOf(picked.empty() ? std::string() : picked[0]),
                           std::string(model::kStandardTuningNotes));
    }
}

void DrillPanel::showCountingWay() {
    const bool byEar = listening_->listenBox().isChecked();
    space_->setEnabled(ticker_->isActive() && !byEar);
    hint_->setText(byEar ? translate_("Play each change: it counts when it sounds right")
                         : translate_("Press Space at each change"));
}

void DrillPanel::showEvent(QShowEvent* event) {
    QGroupBox::showEvent(event);
    listening_->pageShown();
}

void DrillPanel::hideEvent(QHideEvent* event) {
    listening_->pageHidden();
    QGroupBox::hideEvent(event);
}

void DrillPanel::showCounter() {
    if (!drill_ || !drill_->hasRun()) {
        counter_->clear();
        return;
    }
    const auto left = std::chrono::duration_cast<std::chrono::seconds>(
        drill_->remaining(clock_.now()) + std::chrono::milliseconds(999));
    const QString text = translate_("Changes: %1").arg(drill_->changes()) +
                         QStringLiteral(" \u00B7 ") +
                         translate_("%1 s left").arg(static_cast<int>(left.count()));
    counter_->setText(text);
    counter_->setAccessibleDescription(text);
}

void DrillPanel::fillSuggestions() {
    const QSignalBlocker quiet(suggested_);
    suggested_->clear();
    if (log_ != nullptr)
        for (const std::vector<std::string>& pair : log_->pairsWeakestFirst())
            suggested_->addItem(joined(pair));
    suggested_->setCurrentIndex(suggested_->count() > 0 ? 0 : -1);
    use_->setEnabled(suggested_->count() > 0);
    showProgress();
}

// The pair chosen to drill, else the pair suggested.
void DrillPanel::showProgress() {
    if (log_ == nullptr) {
        plot_->setDays({});
        return;
    }
    std::vector<std::string> pair = chords();
    const auto pairs = log_->pairsWeakestFirst();
    if (pair.size() < 2 && suggested_->currentIndex() >= 0 &&
        static_cast<std::size_t>(suggested_->currentIndex()) < pairs.size())
        pair = pairs[static_cast<std::size_t>(suggested_->currentIndex())];
    plot_->setDays(log_->progress(pair));
}

void DrillPanel::tellLogState() {
    if (log_ == nullptr)
        return;
    using State = formats::PracticeLogRead::State;
    if (log_->state() != State::Damaged)
        return;
    message_->setText(log_->unreadable() > 0
                          ? translate_("%1 entries of the practice log could not be read; the "
                                       "log is kept as it was before the next result is added.")
                                .arg(log_->unreadable())
                          : translate_("The practice log is damaged; it is kept as it was and a "
                                       "new one starts with the next result."));
    message_->setAccessibleName(message_->text());
}

} // namespace strumvale::practice
