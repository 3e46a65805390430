#include "page_rig.h"
#include "pages/tuner_page.h"
#include "pages/tuning_meter.h"
#include "resources/templates/tuner_page.h"
#include "support/dark_palette.h"
#include "support/modal_seams.h"
#include "uikit/dialog_builder.h"
#include "uikit/icons.h"
#include "uikit/image_button.h"
#include "uikit/message_box.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <gtest/gtest.h>

namespace strumvale::test {
namespace {

using Id = resources::TunerId;
using Lines = std::vector<std::string>;

constexpr Id kButtons[] = {Id::String6Play, Id::String5Play, Id::String4Play,
                           Id::String3Play, Id::String2Play, Id::String1Play};
constexpr Id kNoteLists[] = {Id::String6Note, Id::String5Note, Id::String4Note,
                             Id::String3Note, Id::String2Note, Id::String1Note};

// The page on a library whose player sleeps on a virtual clock, with every
// question answered by the test.
class TunerPageTest : public ::testing::Test, protected ClockedLibrary {
protected:
    TunerPageTest() {
        answer = uikit::MessageAnswer::Yes;
        library.LoadLanguage(model::kBuiltInLanguage);
        library.Reset();
        library.Tunings.Add(kDropD);
        library.Tunings.Add({"Low", "G#-1,E3,D2,G2,B2,E3"});
        library.ChordPlayer.setup(0, 0, 0, 127);
        page = std::make_unique<pages::TunerPage>(host);
        host.tuningsChanged = [this] { page->refreshTunings(); };
    }
    ~TunerPageTest() override { page.reset(); }

    template <typename Widget> Widget* control(Id id) { return uikit::control<Widget>(*page, id); }
    uikit::ImageButton* button(int string) {
        return control<uikit::ImageButton>(kButtons[6 - string]);
    }
    QComboBox* noteList(int string) { return control<QComboBox>(kNoteLists[6 - string]); }
    void selectTuning(int index) { control<QComboBox>(Id::TuningCombo)->setCurrentIndex(index); }
    // Lets the worker run its notes out, then the window take its report.
    bool finish() {
        const bool done = clock.runUntil([&] { return !page->isSounding(); });
        QApplication::processEvents();
        return done;
    }
    std::vector<int> icons() {
        std::vector<int> result;
        for (int string = 6; string >= 1; --string)
            result.push_back(button(string)->iconResource());
        return result;
    }

    // Every question answered Yes unless a test says otherwise.
    ModalSeams modal;
    uikit::MessageAnswer& answer = modal.answer;
    std::vector<ModalSeams::Shown>& shown = modal.shown;
    std::unique_ptr<pages::TunerPage> page;
};

// RGB(92,128,224), or a blend of it with the background at a glyph's edge.
bool labelColoured(const QColor& colour) {
    return colour.blue() > colour.red() + 60 && colour.blue() > colour.green() + 40;
}

constexpr int kIdle = uikit::icon::StringIdle;
constexpr int kSounding = uikit::icon::StringSounding;

TEST_F(TunerPageTest, StartsWithTheFirstTuningNotesShownAndEditingOff) {
    EXPECT_EQ(control<QComboBox>(Id::TuningCombo)->currentText(), "Standard (E-A-D-G-B-E)");
    EXPECT_EQ(page->shownLabels(), (QStringList{"E", "A", "D", "G", "B", "E"}));
    EXPECT_EQ(noteList(6)->count(), 56);
    EXPECT_EQ(noteList(6)->itemText(0), "E-1");
    EXPECT_EQ(noteList(6)->itemText(55), "B3");
    EXPECT_EQ(noteList(5)->currentText(), "A1");
    EXPECT_EQ(control<QLineEdit>(Id::TuningName)->text(), "Standard (E-A-D-G-B-E)");
    EXPECT_EQ(control<QSlider>(Id::NoteLength)->minimum(), 500);
    EXPECT_EQ(control<QSlider>(Id::NoteLength)->maximum(), 2000);
    EXPECT_EQ(control<QSlider>(Id::NoteLength)->value(), 1000);
    EXPECT_TRUE(control<QRadioButton>(Id::ShowNotes)->isChecked());
    EXPECT_TRUE(control<QRadioButton>(Id::DisableEditing)->isChecked());
    EXPECT_TRUE(noteList(6)->isHidden());
    EXPECT_TRUE(control<QPushButton>(Id::Update)->isHidden());
    EXPECT_FALSE(control<QLabel>(Id::EditingDisabledNotice)->isHidden());
    EXPECT_EQ(icons(), std::vector<int>(6, kIdle));
    EXPECT_EQ(button(6)->accessibleName(), "Play string 6");
    EXPECT_EQ(button(1)->accessibleName(), "Play string 1");

    control<QRadioButton>(Id::EnableEditing)->click();
    EXPECT_FALSE(noteList(6)->isHidden());
    EXPECT_FALSE(control<QPushButton>(Id::New)->isHidden());
    EXPECT_TRUE(control<QLabel>(Id::EditingDisabledNotice)->isHidden());
}

TEST_F(TunerPageTest, LabelsFollowTheTuningTheNoteListsAndTheDisplayMode) {
    selectTuning(2);
    EXPECT_EQ(page->shownLabels(), (QStringList{"G#", "E", "D", "G", "B", "E"}));
    EXPECT_EQ(noteList(6)->currentText(), "G#-1");
    EXPECT_EQ(noteList(5)->currentText(), "E3");

    // A note list changes only the label until Update.
    noteList(1)->setCurrentText("F#2");
    EXPECT_EQ(page->shownLabels().back(), "F#");
    EXPECT_EQ(library.Tunings.GetAt(2)->Notes, "G#-1,E3,D2,G2,B2,E3");

    control<QRadioButton>(Id::ShowNumbers)->click();
    EXPECT_EQ(page->shownLabels(), (QStringList{"6th", "5th", "4th", "3rd", "2nd", "1st"}));
    EXPECT_EQ(noteList(1)->currentText(), "E3") << "the display switch applies the tuning again";
    noteList(2)->setCurrentText("C0");
    EXPECT_EQ(page->shownLabels()[4], "2nd");
    control<QRadioButton>(Id::ShowNotes)->click();
    EXPECT_EQ(page->shownLabels(), (QStringList{"G#", "E", "D", "G", "B", "E"}));
}

TEST_F(TunerPageTest, DrawsTheStringsAndLabelsInTheLabelColour) {
    page->resize(page->sizeHint().expandedTo(QSize(600, 300)));
    QImage image(page->size(), QImage::Format_RGB32);
    page->render(&image);
    EXPECT_EQ(image.pixelColor(400, 100), QColor(Qt::black)) << "string at x = 400";
    EXPECT_EQ(image.pixelColor(462, 150), QColor(Qt::black)) << "the dot";
    EXPECT_EQ(image.pixelColor(437, 110), image.pixelColor(437, 70)) << "between the strings";
    for (int i = 0; i < 6; ++i) {
        bool coloured = false;
        for (int x = 386 + 25 * i; x < 418 + 25 * i; ++x) {
            for (int y = 30; y < 50; ++y)
                coloured = coloured || labelColoured(image.pixelColor(x, y));
        }
        EXPECT_TRUE(coloured) << "label " << i;
    }
}

// On a dark palette the strings and the dot are light and every label reads
// on the page's background.
TEST_F(TunerPageTest, OnADarkPaletteStringsAndLabelsStandOut) {
    page->setPalette(test::darkPalette());
    page->resize(page->sizeHint().expandedTo(QSize(600, 300)));
    QImage image(page->size(), QImage::Format_RGB32);
    page->render(&image);
    const QColor background = image.pixelColor(437, 110);
    ASSERT_TRUE(uikit::isDark(background));
    EXPECT_GE(uikit::contrastRatio(image.pixelColor(400, 100), background),
              test::kGraphicsContrast);
    EXPECT_GE(uikit::contrastRatio(image.pixelColor(462, 150), background),
              test::kGraphicsContrast);
    for (int i = 0; i < 6; ++i)
        EXPECT_GE(test::bestContrastIn(image, QRect(386 + 25 * i, 30, 32, 20), background),
                  test::kTextContrast)
            << "label " << i;
}

TEST_F(TunerPageTest, AStringSoundsOnceForTheNoteLength) {
    selectTuning(1); // Drop D
    library.Settings.Instrument = 100;
    library.Settings.Volume = 90;
    control<QSlider>(Id::NoteLength)->setValue(1500);
    button(6)->click();
    EXPECT_EQ(icons(), (std::vector<int>{kSounding, kIdle, kIdle, kIdle, kIdle, kIdle}));
    ASSERT_TRUE(clock.waitForSleepers(1));
    button(6)->click(); // a second click while an unlooped note sounds
    button(2)->click();
    ASSERT_TRUE(finish());
    EXPECT_EQ(recorder->lines(), (Lines{"0 c0 7c 00", "0 90 26 5a", "1500 80 26 00"}));
    EXPECT_EQ(icons(), std::vector<int>(6, kIdle));
}

TEST_F(TunerPageTest, ALoopSwitchesStringsWithoutAGapAndStopsOnASecondClick) {
    control<QCheckBox>(Id::LoopNotes)->setChecked(true);
    button(6)->click();
    ASSERT_TRUE(clock.waitForSleepers(1));
    clock.advance(std::chrono::milliseconds(1000));
    ASSERT_TRUE(clock.waitForSleepers(1));
    button(3)->click();
    EXPECT_EQ(icons(), (std::vector<int>{kIdle, kIdle, kIdle, kSounding, kIdle, kIdle}));
    clock.advance(std::chrono::milliseconds(1000));
    ASSERT_TRUE(clock.waitForSleepers(1));
    button(3)->click();
    EXPECT_FALSE(control<QCheckBox>(Id::LoopNotes)->isChecked());
    ASSERT_TRUE(finish());
    EXPECT_EQ(recorder->lines(),
              (Lines{"0 c0 00 00", "0 90 28 7f", "1000 80 28 00", "1000 c0 00 00", "1000 90 28 7f",
                     "2000 80 28 00", "2000 c0 00 00", "2000 90 37 7f", "3000 80 37 00"}));
    EXPECT_EQ(icons(), std::vector<int>(6, kIdle));
}

TEST_F(TunerPageTest, APageClosedWhileLoopingLeavesNoNoteSounding) {
    control<QCheckBox>(Id::LoopNotes)->setChecked(true);
    button(1)->click();
    ASSERT_TRUE(clock.waitForSleepers(1));
    page.reset();
    QApplication::processEvents();
    EXPECT_EQ(recorder->lines(), (Lines{"0 c0 00 00", "0 90 40 7f", "0 80 40 00"}));
}

TEST_F(TunerPageTest, UpdateRemoveAndNewGuardTheStandardTuning) {
    control<QRadioButton>(Id::EnableEditing)->click();
    control<QPushButton>(Id::Update)->click();
    control<QPushButton>(Id::Remove)->click();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].message.text, "Can't update the Standard tuning.");
    EXPECT_EQ(shown[0].message.caption, "Error");
    EXPECT_EQ(shown[0].message.icon, uikit::MessageIcon::Information);
    EXPECT_EQ(shown[1].message.text, "Can't remove the Standard tuning.");
    EXPECT_FALSE(library.Modified);

    // Renaming to the standard name is refused; to another existing one not.
    selectTuning(1);
    control<QLineEdit>(Id::TuningName)->setText("Standard (E-A-D-G-B-E)");
    control<QPushButton>(Id::Update)->click();
    EXPECT_EQ(shown.back().message.text, "Please select another name.");
    EXPECT_EQ(library.Tunings.GetAt(1)->Name, "Drop D");
    control<QLineEdit>(Id::TuningName)->setText("Low");
    noteList(6)->setCurrentText("C1");
    control<QPushButton>(Id::Update)->click();
    EXPECT_EQ(library.Tunings.GetAt(1), (model::Tuning{"Low", "C1,A1,D2,G2,B2,E3"}));
    EXPECT_EQ(control<QComboBox>(Id::TuningCombo)->currentIndex(), 1);
    EXPECT_EQ(page->shownLabels().front(), "C");
    EXPECT_TRUE(library.Modified);

    control<QPushButton>(Id::New)->click();
    EXPECT_EQ(library.Tunings.Count(), 4);
    EXPECT_EQ(library.Tunings.GetAt(3), (model::Tuning{"New Tuning", "E-1,E-1,E-1,E-1,E-1,E-1"}));
    EXPECT_EQ(control<QComboBox>(Id::TuningCombo)->currentIndex(), 3);
    EXPECT_EQ(control<QLineEdit>(Id::TuningName)->text(), "New Tuning");
    EXPECT_FALSE(noteList(6)->isHidden()) << "editing stays as it was";

    shown.clear();
    answer = uikit::MessageAnswer::No;
    control<QPushButton>(Id::Remove)->click();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].message.text, "Remove: New Tuning");
    EXPECT_EQ(shown[0].message.caption, "Remove?");
    EXPECT_EQ(shown[0].message.buttons, uikit::MessageButtons::YesNo);
    EXPECT_EQ(library.Tunings.Count(), 4);
    answer = uikit::MessageAnswer::Yes;
    control<QPushButton>(Id::Remove)->click();
    EXPECT_EQ(library.Tunings.Count(), 3);
    EXPECT_EQ(control<QComboBox>(Id::TuningCombo)->count(), 3);
    EXPECT_EQ(control<QComboBox>(Id::TuningCombo)->currentIndex(), 0);
}

// Under a dark desktop palette the meter's scale is light on its background.
TEST(TuningMeterDarkPalette, TheScaleStandsOutFromTheBackground) {
    pages::TuningMeter meter;
    meter.setPalette(test::darkPalette());
    meter.resize(240, 60);
    meter.setAutoFillBackground(true);
    QImage image(meter.size(), QImage::Format_RGB32);
    meter.render(&image);
    const QColor background = test::darkPalette().color(QPalette::Window);
    const int bottom = meter.height() - 14;
    EXPECT_GE(
        test::bestContrastIn(image, QRect(meter.needleX(-20) - 1, bottom - 1, 3, 3), background),
        test::kGraphicsContrast)
        << "the scale's line";
    EXPECT_GE(
        test::bestContrastIn(image, QRect(meter.needleX(-50) - 12, bottom + 1, 24, 13), background),
        test::kTextContrast)
        << "\"-50\"";
}

} // namespace
} // namespace strumvale::test
