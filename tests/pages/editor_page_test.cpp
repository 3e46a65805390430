#include "fretboard/fretboard_style.h"
#include "fretboard/fretboard_view.h"
#include "page_rig.h"
#include "pages/editor_page.h"
#include "resources/templates/editor_page.h"
#include "support/modal_seams.h"
#include "uikit/dialog_builder.h"
#include "uikit/image_button.h"
#include "uikit/message_box.h"
#include "uikit/progress_dialog.h"

#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace strumvale::test {
namespace {

using Id = resources::EditorId;

std::vector<std::string> chordTexts(const model::ValueList<model::Chord>& chords) {
    std::vector<std::string> texts;
    for (const auto& chord : chords.items())
        texts.push_back(chord.RootNote + " " + chord.Name + " " + chord.Tab);
    return texts;
}

class EditorPageTest : public ::testing::Test {
protected:
    EditorPageTest() {
        answer = uikit::MessageAnswer::Yes;
        rig.library.Author = "Ann";
        rig.library.Homepage = "example.org";
        rig.library.Info = "Open chords";
        page = std::make_unique<pages::EditorPage>(rig.host);
    }

    template <typename Widget> Widget* control(Id id) { return uikit::control<Widget>(*page, id); }
    void click(Id id) {
        if (id == Id::MoveUp || id == Id::MoveDown)
            control<uikit::ImageButton>(id)->click();
        else
            control<QPushButton>(id)->click();
    }
    QListWidget* keys() { return control<QListWidget>(Id::KeyList); }
    QListWidget* items() { return control<QListWidget>(Id::ItemList); }
    QLineEdit* name() { return control<QLineEdit>(Id::NameEdit); }
    QString tabLine() { return control<QLabel>(Id::TabLine)->text(); }
    QLineEdit* intervals() { return control<QLineEdit>(Id::AuthorOrIntervals); }
    QLineEdit* homepageOrDescription() { return control<QLineEdit>(Id::HomepageOrDescription); }
    fretboard::FretboardView& view() { return page->fretboardView(); }
    // The interval labels the view draws, each once.
    QSet<QString> drawnIntervals() {
        QImage image(view().size(), QImage::Format_RGB32);
        view().render(&image);
        QSet<QString> texts;
        for (const auto& label : view().drawnLabels()) {
            if (label.kind == fretboard::DrawnLabel::Kind::Interval)
                texts.insert(label.text);
        }
        return texts;
    }

    void selectKey(const QString& text) {
        const auto found = keys()->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        keys()->setCurrentItem(found.front());
    }
    void selectItem(int row) { items()->setCurrentRow(row); }
    // Strings 1 (top) to 6, frets 0 to 12, as a user clicks the drawn neck.
    void clickFret(int string, int fret) {
        QTest::mouseClick(&view(), Qt::LeftButton, {},
                          view().fretboardGeometry().centre(string, fret));
    }
    void typeName(const QString& text) {
        name()->clear();
        QTest::keyClicks(name(), text);
    }
    std::vector<std::string> chordsOfKey(const char* key) {
        model::ValueList<model::Chord> chords;
        rig.library.ChordsOfKey(key, chords);
        return chordTexts(chords);
    }

    LibraryRig rig;
    std::unique_ptr<pages::EditorPage> page;
    // Every question answered Yes unless a test says otherwise.
    ModalSeams modal;
    uikit::MessageAnswer& answer = modal.answer;
    std::vector<ModalSeams::Shown>& messages = modal.shown;
};

TEST_F(EditorPageTest, StartsOnTheChordsOfAWithTheChordfileInformation) {
    EXPECT_EQ(itemTexts(*keys()), (QStringList{"A", "B", "C", "D", "E", "F", "G", "Scales"}));
    EXPECT_EQ(keys()->currentItem()->text(), "A");
    EXPECT_EQ(itemTexts(*items()), (QStringList{"Am", "Am7", "am"}));
    EXPECT_EQ(items()->currentRow(), 0);
    EXPECT_EQ(name()->text(), "Am");
    EXPECT_EQ(tabLine(), "x 0 2 2 1 0");
    EXPECT_EQ(view().chord().Tab, "x 0 2 2 1 0");
    EXPECT_TRUE(view().chordMode());
    EXPECT_TRUE(view().editing());
    EXPECT_TRUE(view().noteLabels());
    EXPECT_EQ(view().tuning(), model::Tuning::standard());

    EXPECT_EQ(control<QGroupBox>(Id::InformationGroup)->title(), "Chordfile Information");
    EXPECT_EQ(intervals()->text(), "Ann");
    EXPECT_EQ(homepageOrDescription()->text(), "example.org");
    EXPECT_EQ(control<QLineEdit>(Id::ChordfileDescription)->text(), "Open chords");
    EXPECT_FALSE(rig.library.Modified);

    EXPECT_EQ(control<uikit::ImageButton>(Id::MoveUp)->accessibleName(), "Move up");
    EXPECT_EQ(control<uikit::ImageButton>(Id::MoveDown)->accessibleName(), "Move down");
    EXPECT_EQ(view().accessibleName(), "Fretboard");
    EXPECT_EQ(keys()->accessibleName(), "Keys");
    EXPECT_EQ(items()->accessibleName(), "Chords");
    EXPECT_EQ(intervals()->accessibleName(), "Author");
}

TEST_F(EditorPageTest, AFingeringClickedOnTheNeckIsStoredInPlaceUnderTheTypedName) {
    selectKey("C");
    selectItem(1); // C7, x 3 2 3 1 0
    clickFret(1, 3);
    clickFret(3, 3); // clicking a set fret again mutes the string
    EXPECT_EQ(tabLine(), "x 3 2 x 1 3");
    // Until Update only the view's copy changed.
    EXPECT_EQ(rig.library.Chords.GetAt(1)->Tab, "x 3 2 3 1 0");
    EXPECT_FALSE(rig.library.Modified);

    typeName("C(add9)");
    click(Id::Update);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(
        chordTexts(rig.library.Chords),
        (std::vector<std::string>{"C C x 3 2 0 1 0", "C C(add9) x 3 2 x 1 3", "A Am x 0 2 2 1 0",
                                  "A Am7 x 0 2 0 1 0", "A am 5 7 7 5 5 5", "E E11 11 x x x x x",
                                  "F Cadd x 3 2 0 1 0", "G G 3 2 0 0 0 3"}));
    EXPECT_EQ(itemTexts(*items()), (QStringList{"C", "C(add9)"}));
    EXPECT_EQ(items()->currentRow(), 1);
    EXPECT_TRUE(rig.library.Modified);
    EXPECT_EQ(rig.host.chordsChanged, 1);
}

// The same fingering made with the keyboard: Tab reaches the neck, arrows
// move the cursor (told as they move), Space sets the fret as a click does,
// X mutes a string and 0 plays it open.
TEST_F(EditorPageTest, TheKeyboardEditsTheNeckAsClicksDo) {
    selectKey("C");
    selectItem(1); // C7, x 3 2 3 1 0
    page->show();
    QApplication::setActiveWindow(page.get());
    view().setFocus();
    ASSERT_TRUE(view().hasFocus());
    EXPECT_NE(view().focusPolicy() & Qt::TabFocus, 0) << "Tab reaches it";
    // From string 6 at the nut: up to string 1, then to fret 3.
    for (int up = 0; up < 5; ++up)
        QTest::keyClick(&view(), Qt::Key_Up);
    for (int right = 0; right < 3; ++right)
        QTest::keyClick(&view(), Qt::Key_Right);
    EXPECT_EQ(view().cursor(), (fretboard::FretPosition{1, 3}));
    EXPECT_EQ(view().accessibleDescription(), "String 1, fret 3, G");
    QTest::keyClick(&view(), Qt::Key_Space);
    QTest::keyClick(&view(), Qt::Key_Down);
    QTest::keyClick(&view(), Qt::Key_Down);
    EXPECT_EQ(view().accessibleDescription(), "String 3, fret 3, A#");
    QTest::keyClick(&view(), Qt::Key_Return); // the set fret again: muted
    EXPECT_EQ(tabLine(), "x 3 2 x 1 3") << "as the clicks made it";
    QTest::keyClick(&view(), Qt::Key_0);
    EXPECT_EQ(tabLine(), "x 3 2 0 1 3");
    QTest::keyClick(&view(), Qt::Key_Down);
    QTest::keyClick(&view(), Qt::Key_X);
    EXPECT_EQ(tabLine(), "x 3 x 0 1 3");
    // Left-handed, the arrows still move the way the drawn neck lies.
    fretboard::FretboardStyle mirrored = view().style();
    mirrored.orientation.leftHanded = true;
    view().setStyle(mirrored);
    QTest::keyClick(&view(), Qt::Key_Right);
    EXPECT_EQ(view().cursor().fret, 2);
}

TEST_F(EditorPageTest, EveryClickNamesWhatTheFingeringSounds) {
    auto* names = page->findChild<QLabel*>("soundsLike");
    ASSERT_NE(names, nullptr);
    EXPECT_EQ(names->text(), "");
    selectKey("C");
    selectItem(1);   // C7, x 3 2 3 1 0
    clickFret(3, 3); // x 3 2 x 1 0: C E C E, a C without its fifth
    EXPECT_TRUE(names->text().startsWith("Sounds like: C")) << names->text().toStdString();
    clickFret(3, 2);                                   // x 3 2 2 1 0: C E A C E
    EXPECT_EQ(names->text(), "Sounds like: Am/C, C6"); // the triad over its third leads
    clickFret(1, 3); // x 3 2 2 1 3: C6 first, Am7/C among the rest
    EXPECT_TRUE(names->text().startsWith("Sounds like: C6, ")) << names->text().toStdString();
    EXPECT_TRUE(names->text().contains("Am7/C"));
    clickFret(5, 3); // clicking a set fret again mutes its string
    clickFret(4, 2);
    clickFret(2, 1);
    clickFret(1, 3); // x x x 2 x x
    EXPECT_EQ(names->text(), "") << "a single note has no name";
    selectItem(0);
    EXPECT_EQ(names->text(), "");
}

TEST_F(EditorPageTest, UpdateRefusesAnEmptyNameAndATabAnyChordAlreadyHas) {
    const auto before = chordTexts(rig.library.Chords);
    selectKey("C");
    click(Id::Update); // C unchanged: its own tab
    selectKey("F");
    click(Id::Update); // Cadd shares the tab of C, which comes first
    name()->clear();
    clickFret(6, 1);
    click(Id::Update);

    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0].message.text, "This tab already exists as: C");
    EXPECT_EQ(messages[0].message.caption, "Information");
    EXPECT_EQ(messages[0].message.icon, uikit::MessageIcon::Information);
    EXPECT_EQ(messages[1].message.text, "This tab already exists as: C");
    EXPECT_EQ(messages[2].message.text, "Please enter a name.");
    EXPECT_EQ(chordTexts(rig.library.Chords), before);
    EXPECT_FALSE(rig.library.Modified);
    EXPECT_EQ(rig.host.chordsChanged, 0);
}

TEST_F(EditorPageTest, EditsOfKeyBActOnBChordsOnly) {
    rig.library.Chords.Add(model::Chord("B", "B7", "x 2 1 2 0 2"));
    rig.library.Chords.Add(model::Chord("B", "Bm", "x 2 4 4 3 2"));
    rig.library.Chords.Add(model::Chord("B", "Bsus4", "x 2 4 4 5 2"));
    selectKey("B");
    ASSERT_EQ(itemTexts(*items()), (QStringList{"B7", "Bm", "Bsus4"}));

    selectItem(1);
    clickFret(1, 2); // Bm: string 1 from fret 2 to x
    click(Id::Update);
    click(Id::MoveUp);
    selectItem(2);
    click(Id::Remove);

    EXPECT_EQ(chordsOfKey("B"), (std::vector<std::string>{"B Bm x 2 4 4 3 x", "B B7 x 2 1 2 0 2"}));
    EXPECT_EQ(itemTexts(*items()), (QStringList{"Bm", "B7"}));
    EXPECT_EQ(rig.library.Chords.Count(), 10);
    EXPECT_EQ(chordsOfKey("G"), (std::vector<std::string>{"G G 3 2 0 0 0 3"}));
    EXPECT_EQ(chordsOfKey("A").size(), 3u);
}

TEST_F(EditorPageTest, AKeyWhoseChordsAreScatteredIsGatheredBeforeAnEdit) {
    // As a chordfile written elsewhere may hold them: a C chord after the others.
    rig.library.Chords.Add(model::Chord("C", "Csus4", "x 3 3 0 1 1"));
    selectKey("C");
    ASSERT_EQ(itemTexts(*items()), (QStringList{"C", "C7", "Csus4"}));
    selectItem(2);
    click(Id::Remove);

    EXPECT_EQ(chordsOfKey("C"), (std::vector<std::string>{"C C x 3 2 0 1 0", "C C7 x 3 2 3 1 0"}));
    EXPECT_EQ(chordsOfKey("A").size(), 3u); // the chord counted from the first C is an A chord
    EXPECT_EQ(itemTexts(*items()), (QStringList{"C", "C7"}));
}

TEST_F(EditorPageTest, MovesFollowTheListAndStopAtItsEnds) {
    click(Id::MoveUp); // Am is first
    selectItem(2);
    click(Id::MoveDown); // am is last
    EXPECT_EQ(itemTexts(*items()), (QStringList{"Am", "Am7", "am"}));
    EXPECT_FALSE(rig.library.Modified);
    EXPECT_EQ(rig.host.chordsChanged, 0);

    selectItem(0);
    clickFret(1, 5); // an unstored click edit survives the move
    click(Id::MoveDown);
    EXPECT_EQ(itemTexts(*items()), (QStringList{"Am7", "Am", "am"}));
    EXPECT_EQ(items()->currentRow(), 1);
    EXPECT_EQ(tabLine(), "x 0 2 2 1 5");
    EXPECT_EQ(chordsOfKey("A"), (std::vector<std::string>{"A Am7 x 0 2 0 1 0", "A Am x 0 2 2 1 0",
                                                          "A am 5 7 7 5 5 5"}));
    EXPECT_TRUE(rig.library.Modified);
    EXPECT_EQ(rig.host.chordsChanged, 1);

    selectKey("Scales");
    click(Id::MoveDown);
    EXPECT_EQ(itemTexts(*items()), (QStringList{"Major", "Dorian", "Plain", "Whole"}));
    EXPECT_EQ(rig.library.Scales.GetAt(0)->Name, "Major");
    EXPECT_EQ(rig.host.scalesChanged, 1);
}

TEST_F(EditorPageTest, NewChordIsSortedInSelectedAndHasNoFingering) {
    selectKey("C");
    click(Id::New);
    EXPECT_EQ(itemTexts(*items()), (QStringList{"C", "C7", "New Chord"}));
    EXPECT_EQ(items()->currentRow(), 2);
    EXPECT_EQ(name()->text(), "New Chord");
    EXPECT_EQ(tabLine(), "x x x x x x");
    EXPECT_EQ(view().chord().Tab, "x x x x x x");
    std::vector<std::string> roots;
    for (const auto& chord : rig.library.Chords.items())
        roots.push_back(chord.RootNote);
    EXPECT_EQ(roots, (std::vector<std::string>{"A", "A", "A", "C", "C", "C", "E", "F", "G"}));
    EXPECT_TRUE(rig.library.Modified);

    auto* progress = page->findChild<uikit::ProgressDialog*>("sortProgress");
    ASSERT_NE(progress, nullptr);
    EXPECT_FALSE(progress->isVisible());
    EXPECT_EQ(progress->windowTitle(), "Progress");
    EXPECT_EQ(progress->message(), "Sorting, please wait...");
    // C C A A A E F G + C: the new C needs three passes to pass G, F and E,
    // and a fourth finds nothing to exchange.
    EXPECT_EQ(progress->value(), 4);
}

TEST_F(EditorPageTest, RemoveAsksFirstAndTheNeighbourTakesThePlace) {
    selectItem(1);
    answer = uikit::MessageAnswer::No;
    click(Id::Remove);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].message.text, "Remove: Am7");
    EXPECT_EQ(messages[0].message.caption, "Remove?");
    EXPECT_EQ(messages[0].message.icon, uikit::MessageIcon::Question);
    EXPECT_EQ(messages[0].message.buttons, uikit::MessageButtons::YesNo);
    EXPECT_EQ(rig.library.Chords.Count(), 8);
    EXPECT_FALSE(rig.library.Modified);

    answer = uikit::MessageAnswer::Yes;
    click(Id::Remove);
    EXPECT_EQ(itemTexts(*items()), (QStringList{"Am", "am"}));
    EXPECT_EQ(name()->text(), "am");
    EXPECT_EQ(view().chord().Tab, "5 7 7 5 5 5");
    click(Id::Remove);
    click(Id::Remove);
    EXPECT_EQ(items()->count(), 0);
    EXPECT_EQ(name()->text(), "");
    EXPECT_EQ(view().chord().Tab, "x x x x x x");
    click(Id::Remove); // nothing selected: nothing asked
    EXPECT_EQ(messages.size(), 4u);
    EXPECT_TRUE(chordsOfKey("A").empty());
    EXPECT_EQ(rig.library.Chords.Count(), 5);
}

TEST_F(EditorPageTest, ScaleModeShowsTheScaleAndDrawsOnlyMatchingIntervals) {
    selectKey("Scales");
    EXPECT_EQ(itemTexts(*items()), (QStringList{"Dorian", "Major", "Plain", "Whole"}));
    EXPECT_EQ(name()->text(), "Dorian");
    EXPECT_EQ(control<QLabel>(Id::TabLabel)->text(), "Notes:");
    EXPECT_EQ(tabLine(), "C,D,D#,F,G,A,A#");
    EXPECT_FALSE(view().chordMode());
    EXPECT_EQ(view().keyOffset(), 0);
    EXPECT_FALSE(view().noteLabels());
    EXPECT_TRUE(view().intervalLabels());
    EXPECT_EQ(control<QGroupBox>(Id::InformationGroup)->title(), "Scale Information");
    EXPECT_EQ(control<QLabel>(Id::DescriptionLabel)->text(), "Always add scales in C-key.");
    EXPECT_TRUE(control<QLineEdit>(Id::ChordfileDescription)->isHidden());
    EXPECT_EQ(intervals()->text(), "1,2,b3,4,5,6,b7");
    EXPECT_EQ(homepageOrDescription()->text(), "Minor mode;Jazz and funk");

    const QSet<QString> dorian{"1", "2", "b3", "4", "5", "6", "b7"};
    EXPECT_EQ(drawnIntervals(), dorian);
    intervals()->clear();
    QTest::keyClicks(intervals(), "1 2 3");
    EXPECT_EQ(drawnIntervals(), dorian);
    QTest::keyClicks(intervals(), " 4 5 6 b7");
    EXPECT_EQ(drawnIntervals(), (QSet<QString>{"1", "2", "3", "4", "5", "6", "b7"}));
    homepageOrDescription()->setText("Dorian, bright");
    EXPECT_EQ(view().scale().Description, "Dorian, bright");
    // Scale edits change the view only; the chordfile keeps its information.
    EXPECT_EQ(rig.library.Author, "Ann");
    EXPECT_EQ(rig.library.Scales.GetAt(0)->Intervals(), "1,2,b3,4,5,6,b7");
    EXPECT_FALSE(rig.library.Modified);

    selectKey("D");
    EXPECT_EQ(control<QGroupBox>(Id::InformationGroup)->title(), "Chordfile Information");
    EXPECT_EQ(intervals()->text(), "Ann");
    EXPECT_FALSE(control<QLineEdit>(Id::ChordfileDescription)->isHidden());
    EXPECT_EQ(items()->count(), 0);
    EXPECT_EQ(name()->text(), "");
}

TEST_F(EditorPageTest, ThePanelEditsOnlyWhatItShowsAfterEveryKeyChange) {
    selectKey("Scales");
    selectKey("A");
    selectKey("Scales");
    const model::Scale dorian = view().scale();
    selectKey("B");
    intervals()->setText("Dee");
    homepageOrDescription()->setText("example.net");
    EXPECT_EQ(rig.library.Author, "Dee");
    EXPECT_EQ(rig.library.Homepage, "example.net");
    EXPECT_EQ(view().scale().Intervals(), dorian.Intervals());
    EXPECT_EQ(view().scale().Description, dorian.Description);

    rig.library.Modified = false;
    selectKey("Scales");
    intervals()->setText("1 2 3 4 5 6 7");
    homepageOrDescription()->setText("Bright");
    EXPECT_EQ(view().scale().Intervals(), "1,2,3,4,5,6,7");
    EXPECT_EQ(view().scale().Description, "Bright");
    EXPECT_EQ(rig.library.Author, "Dee");
    EXPECT_EQ(rig.library.Homepage, "example.net");
    EXPECT_FALSE(rig.library.Modified);
}

TEST_F(EditorPageTest, AScaleEditedByClicksIsAddedAndNewScaleAppended) {
    selectKey("Scales");
    selectItem(1);   // Major: C,D,E,F,G,A,B
    clickFret(2, 1); // C on the B string: removed with its interval
    clickFret(1, 2); // F#: added with "*"
    clickFret(2, 6); // F: removed
    EXPECT_EQ(tabLine(), "D,E,G,A,B,F#");
    EXPECT_EQ(intervals()->text(), "2,3,5,6,7,*");
    EXPECT_EQ(rig.library.Scales.GetAt(1)->Notes(), "C,D,E,F,G,A,B");

    typeName("Major, no root");
    click(Id::Update);
    ASSERT_EQ(rig.library.Scales.Count(), 5);
    const model::Scale added = *rig.library.Scales.GetAt(4);
    EXPECT_EQ(added.Name, "Major, no root");
    EXPECT_EQ(added.Notes(), "D,E,G,A,B,F#");
    EXPECT_EQ(added.Intervals(), "2,3,5,6,7,*");
    EXPECT_EQ(added.Description, "Empty");
    EXPECT_EQ(itemTexts(*items()).last(), "Major, no root");
    EXPECT_EQ(items()->currentRow(), 4);
    EXPECT_EQ(rig.host.scalesChanged, 1);
    EXPECT_TRUE(rig.library.Modified);

    click(Id::New);
    EXPECT_EQ(itemTexts(*items()).last(), "New Scale");
    EXPECT_EQ(items()->currentRow(), 5);
    EXPECT_EQ(tabLine(), "");
    EXPECT_EQ(homepageOrDescription()->text(), "New Scale");
    EXPECT_EQ(rig.library.Scales.Count(), 6);
    EXPECT_EQ(rig.host.scalesChanged, 2);
}

TEST_F(EditorPageTest, SaveWritesWhatThePageShows) {
    selectKey("G");
    clickFret(2, 3);
    typeName("Gadd");
    click(Id::Update);
    intervals()->setText("Bea");
    control<QLineEdit>(Id::ChordfileDescription)->setText("Revised");
    EXPECT_EQ(rig.library.Author, "Bea");
    EXPECT_TRUE(rig.library.Modified);

    selectKey("Scales");
    selectItem(3);                            // Whole
    clickFret(1, 1);                          // F: not in the scale, added with "*"
    intervals()->setText("1 2 3 #4 #5 b7 4"); // a count the drawing can take
    typeName("Whole + F");
    click(Id::Update);

    const std::string path = rig.dir.file("edited.gtr");
    rig.library.SaveChordfile(path);
    model::ChordDocument reread;
    ASSERT_TRUE(formats::LoadChordfile(reread, path));
    EXPECT_EQ(reread.Author, "Bea");
    EXPECT_EQ(reread.Info, "Revised");
    EXPECT_EQ(reread.Homepage, "example.org");
    EXPECT_EQ(chordTexts(reread.Chords), chordTexts(rig.library.Chords));
    model::ValueList<model::Chord> g;
    reread.ChordsOfKey("G", g);
    EXPECT_EQ(chordTexts(g), (std::vector<std::string>{"G Gadd 3 2 0 0 3 3"}));
    bool found = false;
    for (const auto& scale : reread.Scales.items()) {
        if (scale.Name != "Whole + F")
            continue;
        found = true;
        EXPECT_EQ(scale.Notes(), "C,D,E,F#,G#,A#,F");
        EXPECT_EQ(scale.Intervals(), "1,2,3,#4,#5,b7,4");
    }
    EXPECT_TRUE(found);
}

TEST_F(EditorPageTest, AReplacedChordfileRefillsThePage) {
    selectItem(2);
    ASSERT_EQ(name()->text(), "am");

    rig.library.Reset();
    rig.library.Chords.Add(model::Chord("A", "A", "x 0 2 2 2 0"));
    rig.library.Author = "Cy";
    page->refresh();
    EXPECT_EQ(itemTexts(*items()), (QStringList{"A"}));
    EXPECT_EQ(name()->text(), "A");
    EXPECT_EQ(intervals()->text(), "Cy");
    click(Id::Remove);
    EXPECT_EQ(rig.library.Chords.Count(), 0);

    click(Id::NewChordfile);
    EXPECT_TRUE(rig.library.Modified);
    EXPECT_EQ(items()->count(), 0);
    EXPECT_EQ(intervals()->text(), "");
    EXPECT_EQ(view().chord().Tab, "x x x x x x");
    click(Id::New);
    EXPECT_EQ(chordTexts(rig.library.Chords),
              (std::vector<std::string>{"A New Chord x x x x x x"}));
}

TEST_F(EditorPageTest, TheNeckIsDrawnTurnedAndColouredAsTheSettingsSay) {
    rig.library.Settings.Upsidedownneck = true;
    rig.library.Settings.Clrdots1 = 10;
    rig.library.Settings.Clrdots2 = 200;
    rig.library.Settings.Clrdots3 = 30;
    page->takeSettings();
    EXPECT_EQ(view().style(), fretboard::fretboardStyle(rig.library.Settings));
    // Am, x 0 2 2 1 0: string 2 at fret 1, drawn on the fifth row from the top.
    const fretboard::FretboardGeometry neck = view().fretboardGeometry();
    EXPECT_EQ(neck.rowOfString(2), 5);
    QImage image(view().size(), QImage::Format_RGB32);
    view().render(&image);
    const QRect marker = neck.cell(2, 1);
    EXPECT_EQ(image.pixelColor(marker.left() + 5, marker.center().y()), QColor(10, 200, 30));

    // A click edits the string drawn under the pointer.
    clickFret(6, 3);
    EXPECT_EQ(tabLine(), "3 0 2 2 1 0");
}

} // namespace
} // namespace strumvale::test
