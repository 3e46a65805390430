#include "pages/tuner_page.h"

#include "library/chord_library.h"
#include "model/names.h"
#include "model/notes.h"
#include "model/records.h"
#include "model/tuning_notes.h"
#include "pages/page_colours.h"
#include "pages/string_names.h"
#include "pages/tuner_listening.h"
#include "resources/templates/tuner_page.h"
#include "uikit/contrast.h"
#include "uikit/icons.h"
#include "uikit/image_button.h"
#include "uikit/message_box.h"
#include "uikit/text.h"
#include "uikit/worker_call.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QSlider>

namespace strumvale::pages {

using Id = resources::TunerId;
using uikit::fromQString;
using uikit::toQString;

namespace {

constexpr Id kNoteLists[] = {Id::String6Note, Id::String5Note, Id::String4Note,
                             Id::String3Note, Id::String2Note, Id::String1Note};
constexpr Id kStringButtons[] = {Id::String6Play, Id::String5Play, Id::String4Play,
                                 Id::String3Play, Id::String2Play, Id::String1Play};
constexpr Id kEditingControls[] = {
    Id::String6Note,  Id::String5Note,    Id::String4Note,  Id::String3Note,  Id::String2Note,
    Id::String1Note,  Id::TuningName,     Id::Update,       Id::Remove,       Id::New,
    Id::String6Label, Id::String5Label,   Id::String4Label, Id::String3Label, Id::String2Label,
    Id::String1Label, Id::TuningNameLabel};
constexpr Id kStringLabels[] = {Id::String6Label, Id::String5Label, Id::String4Label,
                                Id::String3Label, Id::String2Label, Id::String1Label};
constexpr const char* kNumbers[] = {"6th", "5th", "4th", "3rd", "2nd", "1st"};
// "E-1" to "B3": the notes a string may be tuned to.
constexpr int kTunableNotes = 56;
constexpr int kShortestNote = 500;
constexpr int kLongestNote = 2000;
const QColor kLabelColour(92, 128, 224);
// Where the labels are drawn, in client pixels.
const QRect kLabelStrip(386, 30, 175, 18);

// A note without its octave: "F#-1" gives "F#", "D2" gives "D".
QString labelOf(const QString& note) {
    QString label = note;
    label.remove(QRegularExpression(QStringLiteral("[0123-]")));
    return label;
}

} // namespace

TunerPage::TunerPage(PageHost& host, QWidget* parent)
    : Page(host, resources::tunerPageTemplate(), parent), tuner_(host.library().ChordPlayer) {
    // On the player's clock, so that listening runs on the same time as the notes.
    listening_ = new TunerListening(
        *this, [this](std::string_view key) { return translate(key); },
        host.library().ChordPlayer.clock());
    connect(listening_, &TunerListening::changed, this, [this] { update(); });
    tuningCombo_ = control<QComboBox>(Id::TuningCombo);
    loop_ = control<QCheckBox>(Id::LoopNotes);
    noteLength_ = control<QSlider>(Id::NoteLength);
    name_ = control<QLineEdit>(Id::TuningName);
    for (int i = 0; i < kStrings; ++i) {
        noteLists_[i] = control<QComboBox>(kNoteLists[i]);
        stringButtons_[i] = control<uikit::ImageButton>(kStringButtons[i]);
        stringButtons_[i]->setIconResource(uikit::icon::StringIdle);
        connect(stringButtons_[i], &QToolButton::clicked, this, [this, i] { playString(i); });
    }

    refreshTunings();
    for (int i = 0; i < kStrings; ++i) {
        const QSignalBlocker blocker(noteLists_[i]);
        for (int note = 0; note < kTunableNotes; ++note)
            noteLists_[i]->addItem(toQString(model::noteTable()[static_cast<std::size_t>(note)]));
        noteLists_[i]->setCurrentIndex(0);
    }
    applySelectedTuning();
    setEditing(false);
    control<QRadioButton>(Id::ShowNotes)->setChecked(true);
    control<QRadioButton>(Id::DisableEditing)->setChecked(true);
    noteLength_->setRange(kShortestNote, kLongestNote);
    noteLength_->setValue(1000);
    tuner_.setNoteLength(noteLength_->value());

    connect(tuningCombo_, &QComboBox::currentIndexChanged, this, [this] { applySelectedTuning(); });
    for (int i = 0; i < kStrings; ++i) {
        connect(noteLists_[i], &QComboBox::currentIndexChanged, this,
                [this, i] { noteListChanged(i); });
    }
    connect(control<QRadioButton>(Id::ShowNotes), &QRadioButton::clicked, this,
            [this] { setNumbers(false); });
    connect(control<QRadioButton>(Id::ShowNumbers), &QRadioButton::clicked, this,
            [this] { setNumbers(true); });
    connect(control<QRadioButton>(Id::DisableEditing), &QRadioButton::clicked, this,
            [this] { setEditing(false); });
    connect(control<QRadioButton>(Id::EnableEditing), &QRadioButton::clicked, this,
            [this] { setEditing(true); });
    connect(loop_, &QCheckBox::toggled, this, [this](bool on) { tuner_.setLooping(on); });
    connect(noteLength_, &QSlider::valueChanged, this,
            [this](int ms) { tuner_.setNoteLength(ms); });
    connect(control<QPushButton>(Id::Update), &QPushButton::clicked, this,
            [this] { updateTuning(); });
    connect(control<QPushButton>(Id::Remove), &QPushButton::clicked, this,
            [this] { removeTuning(); });
    connect(control<QPushButton>(Id::New), &QPushButton::clicked, this, [this] { newTuning(); });
    retranslate();
    takeSettings();
}

TunerPage::~TunerPage() {
    // Its capture thread ends before the widgets it reports to and the player go.
    delete listening_;
}

void TunerPage::retranslate() {
    listening_->retranslate();
    control<QGroupBox>(Id::TuningGroup)->setTitle(translate("Tuning"));
    control<QGroupBox>(Id::NoteLengthGroup)->setTitle(translate("Note Length"));
    control<QLabel>(Id::ShortLabel)->setText(translate("Short"));
    control<QLabel>(Id::LongLabel)->setText(translate("Long"));
    control<QGroupBox>(Id::DisplayGroup)->setTitle(translate("Display"));
    control<QRadioButton>(Id::ShowNotes)->setText(translate("Notes"));
    control<QRadioButton>(Id::ShowNumbers)->setText(translate("Numbers"));
    control<QRadioButton>(Id::DisableEditing)->setText(translate("Disable editing"));
    control<QRadioButton>(Id::EnableEditing)->setText(translate("Enable editing"));
    loop_->setText(translate("Loop notes when playing"));
    control<QLabel>(Id::EditingDisabledNotice)
        ->setText(translate("Editing of Tunings is currently disabled."));
    control<QLabel>(Id::TuningNameLabel)->setText(translate("Tuning Name") + ":");
    control<QPushButton>(Id::Update)->setText(translate("Update"));
    control<QPushButton>(Id::Remove)->setText(translate("Remove"));
    control<QPushButton>(Id::New)->setText(translate("New"));
    nameStrings();
    tuningCombo_->setAccessibleName(translate("Tuning"));
    noteLength_->setAccessibleName(translate("Note Length"));
    name_->setAccessibleName(translate("Tuning Name"));
}

// Each string by its note in the tuning shown, the one list of names that the
// labels, the note lists, the string buttons and the listening tuner share.
void TunerPage::nameStrings() {
    // Before a tuning is shown the labels name standard tuning's strings.
    const std::string notes = labels_.size() == kStrings ? selectedNotes() : std::string();
    const auto translator = [this](std::string_view key) { return translate(key); };
    for (int i = 0; i < kStrings; ++i) {
        const QString name = stringName(translator, kStrings - i, notes);
        control<QLabel>(kStringLabels[i])->setText(name + QStringLiteral(":"));
        // The note lists are named by their string, the string buttons by
        // what they do: neither shows a caption of its own.
        noteLists_[i]->setAccessibleName(name);
        stringButtons_[i]->setAccessibleName(translate("Play string") + QStringLiteral(" ") +
                                             QString::number(kStrings - i));
        stringButtons_[i]->setAccessibleDescription(name);
    }
}

void TunerPage::refreshTunings() {
    {
        const QSignalBlocker blocker(tuningCombo_);
        host().fillTuningCombo(*tuningCombo_);
    }
    applySelectedTuning();
}

void TunerPage::takeSettings() {
    applyPageBackground(*this, library().Settings.Whitebackgroundcolor);
    if (listening_)
        listening_->setA4(library().Settings.referencePitch());
    update();
}

void TunerPage::applySelectedTuning() {
    const std::optional<model::Tuning> tuning =
        library().Tunings.GetAt(tuningCombo_->currentIndex());
    // Without a tuning there is nothing to show; the lists keep what they hold.
    if (!tuning || noteLists_[0]->count() == 0)
        return;
    labels_.clear();
    for (int i = 0; i < kStrings; ++i) {
        const QString note = toQString(model::tuningNote(tuning->Notes, kStrings - i));
        const QSignalBlocker blocker(noteLists_[i]);
        noteLists_[i]->setCurrentIndex(noteLists_[i]->findText(note, Qt::MatchStartsWith));
        labels_.append(labelOf(note));
    }
    name_->setText(toQString(tuning->Name));
    listening_->setTuningNotes(selectedNotes());
    nameStrings();
    redrawLabels();
}

std::string TunerPage::selectedNotes() const {
    std::string notes;
    for (int i = 0; i < kStrings; ++i) {
        if (i > 0)
            notes += ',';
        notes += fromQString(noteLists_[i]->currentText());
    }
    return notes;
}

void TunerPage::noteListChanged(int index) {
    if (labels_.size() != kStrings)
        return;
    labels_[index] = labelOf(noteLists_[index]->currentText());
    listening_->setTuningNotes(selectedNotes());
    nameStrings();
    redrawLabels();
}

void TunerPage::setEditing(bool on) {
    for (Id id : kEditingControls)
        control<QWidget>(id)->setVisible(on);
    control<QLabel>(Id::EditingDisabledNotice)->setVisible(!on);
}

void TunerPage::setNumbers(bool on) {
    numbers_ = on;
    applySelectedTuning();
}

QStringList TunerPage::shownLabels() const {
    if (!numbers_)
        return labels_;
    QStringList numbers;
    for (const char* number : kNumbers)
        numbers.append(QString::fromLatin1(number));
    return numbers;
}

void TunerPage::redrawLabels() {
    update(kLabelStrip.adjusted(0, 0, 0, 2));
}

void TunerPage::paintEvent(QPaintEvent* event) {
    Page::paintEvent(event);
    QPainter painter(this);
    // While listening, the meter and the heard note stand where the strings are.
    if (!listening_->isShown()) {
        // Black, or light on a dark desktop's background.
        const QColor ink = uikit::inkOn(palette().color(QPalette::Window), palette());
        painter.setPen(QPen(ink, 2));
        for (int x : {400, 425, 450})
            painter.drawLine(x, 50, x, 180);
        for (int y : {50, 90, 130, 170})
            painter.drawLine(400, y, 524, y);
        painter.setPen(QPen(ink, 1));
        for (int x : {475, 500, 525})
            painter.drawLine(x, 50, x, 180);
        painter.setBrush(ink);
        painter.drawEllipse(QRect(455, 142, 15, 15));
    }

    // Old labels are wiped by the repaint of what lies under the page; on the
    // white background the strip is that white.
    if (library().Settings.Whitebackgroundcolor) {
        painter.setPen(kWhiteBackground);
        painter.setBrush(kWhiteBackground);
        painter.drawRect(kLabelStrip.adjusted(0, 0, -1, -1));
    }
    const QStringList labels = shownLabels();
    const std::optional<int> heardString = listening_->matchedString();
    for (int i = 0; i < labels.size() && i < kStrings; ++i) {
        // The string the heard note belongs to stands out.
        const bool heard = heardString == kStrings - i;
        QFont font = painter.font();
        font.setBold(heard);
        painter.setFont(font);
        const QColor colour =
            !heard ? kLabelColour : (listening_->inTune() ? kInTuneColour : kOutOfTuneColour);
        painter.setPen(
            uikit::legibleOn(colour, palette().color(QPalette::Window), uikit::kTextContrast));
        painter.drawText(QRect(386 + 25 * i, 30, 32, 20), Qt::AlignHCenter | Qt::AlignTop,
                         labels[i]);
    }
}

void TunerPage::showEvent(QShowEvent* event) {
    Page::showEvent(event);
    listening_->pageShown();
}

void TunerPage::hideEvent(QHideEvent* event) {
    Page::hideEvent(event);
    listening_->pageHidden();
}

void TunerPage::playString(int index) {
    const bool sounding = tuner_.isPlaying();
    if (loop_->isChecked() && sounding && soundingButton_ != index) {
        // Another string while looping: the loop goes on with this one.
        if (soundingButton_ >= 0)
            stringButtons_[soundingButton_]->setIconResource(uikit::icon::StringIdle);
    } else if (sounding) {
        // The sounding string again, or any string while a single note
        // sounds: the loop ends after the current note.
        loop_->setChecked(false);
        return;
    }
    listening_->setReferenceSounding(true);
    tuner_.setNote(fromQString(noteLists_[index]->currentText()));
    stringButtons_[index]->setIconResource(uikit::icon::StringSounding);
    soundingButton_ = index;
    if (!tuner_.isPlaying()) {
        const model::Settings& settings = library().Settings;
        tuner_.setSound(settings.Instrument, settings.Volume);
        tuner_.start([this] { uikit::callOnOwnerThread(this, [this] { noteEnded(); }); });
    }
}

void TunerPage::noteEnded() {
    // A string clicked since the report was sent has started a new note.
    if (tuner_.isPlaying() || soundingButton_ < 0)
        return;
    stringButtons_[soundingButton_]->setIconResource(uikit::icon::StringIdle);
    soundingButton_ = -1;
    listening_->setReferenceSounding(false);
}

void TunerPage::message(std::string_view text) {
    uikit::showMessage(this, {translate(text), translate("Error"), uikit::MessageIcon::Information,
                              uikit::MessageButtons::Ok});
}

std::optional<model::Tuning> TunerPage::changeableTuning(std::string_view refusal) {
    const std::optional<model::Tuning> tuning =
        library().Tunings.GetAt(tuningCombo_->currentIndex());
    if (tuning && tuning->Name == model::kStandardTuningName) {
        message(refusal);
        return std::nullopt;
    }
    return tuning;
}

void TunerPage::updateTuning() {
    const int index = tuningCombo_->currentIndex();
    if (!changeableTuning("Can't update the Standard tuning."))
        return;
    if (fromQString(name_->text()) == model::kStandardTuningName) {
        message("Please select another name.");
        return;
    }
    library().Tunings.SetAt(index, model::Tuning{fromQString(name_->text()), selectedNotes()});
    host().onTuningsChanged();
    tuningCombo_->setCurrentIndex(index);
    applySelectedTuning();
    library().Modified = true;
}

void TunerPage::removeTuning() {
    const int index = tuningCombo_->currentIndex();
    const std::optional<model::Tuning> tuning =
        changeableTuning("Can't remove the Standard tuning.");
    if (!tuning)
        return;
    const uikit::MessageAnswer answer = uikit::showMessage(
        this, {translate("Remove") + QStringLiteral(": ") + toQString(tuning->Name),
               translate("Remove") + QStringLiteral("?"), uikit::MessageIcon::Question,
               uikit::MessageButtons::YesNo});
    if (answer != uikit::MessageAnswer::Yes)
        return;
    library().Tunings.RemoveAt(index);
    host().onTuningsChanged();
    library().Modified = true;
}

void TunerPage::newTuning() {
    library().Tunings.Add(model::Tuning{"New Tuning", "E-1,E-1,E-1,E-1,E-1,E-1"});
    host().onTuningsChanged();
    tuningCombo_->setCurrentIndex(tuningCombo_->count() - 1);
    applySelectedTuning();
    library().Modified = true;
}

std::vector<QWidget*> TunerPage::tabOrder() const {
    std::vector<QWidget*> order{
        control<QWidget>(Id::TuningCombo),    control<QWidget>(Id::NoteLength),
        control<QWidget>(Id::ShowNotes),      control<QWidget>(Id::ShowNumbers),
        control<QWidget>(Id::DisableEditing), control<QWidget>(Id::EnableEditing)};
    order.insert(order.end(), noteLists_.begin(), noteLists_.end());
    order.insert(order.end(), {control<QWidget>(Id::TuningName), control<QWidget>(Id::Update),
                               control<QWidget>(Id::Remove), control<QWidget>(Id::New),
                               &listening_->listenBox(), &listening_->inputs()});
    order.insert(order.end(), stringButtons_.begin(), stringButtons_.end());
    order.push_back(control<QWidget>(Id::LoopNotes));
    return order;
}

} // namespace strumvale::pages
