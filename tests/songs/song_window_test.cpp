#include "formats/song_file.h"
#include "song_window_rig.h"
#include "songs/chord_strip.h"
#include "songs/song_sheet_view.h"
#include "support/pdf_text.h"
#include "support/temp_dir.h"
#include "uikit/print_dialog.h"

#include <QAbstractScrollArea>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <fstream>
#include <gtest/gtest.h>

namespace strumvale::test {
namespace {

using Names = std::vector<std::string>;

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class SongWindowTest : public ::testing::Test, protected SongWindowRig {
protected:
    void show(const std::string& text, const std::string& file = "song.cho") {
        window->showSongs(formats::readSongs(text), QString::fromStdString(dir.file(file)));
        window->show();
        QApplication::processEvents();
    }
    template <typename Widget> Widget* find(const char* name) const {
        auto* found = window->findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QPushButton* button(const char* name) const { return find<QPushButton>(name); }
    QString keyShown() const { return find<QLabel>("shownKey")->text(); }
    Names stripNames() const {
        Names names;
        for (const library::SongShape& shape : window->shapes())
            names.push_back(shape.name);
        return names;
    }

    TempDir dir;
};

TEST_F(SongWindowTest, TransposeAndCapoChangeWhatIsShownAndUndoGoesBackToTheFile) {
    show("{title: Vårvisa}\n{key: G}\n[G]Vintern [C]rasat [D]ut [Em]bland [D/F#]fjällar\n");
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("Vårvisa"));
    EXPECT_EQ(keyShown(), "Key: G");
    EXPECT_FALSE(button("undo")->isEnabled());

    // Up three: Bb, spelled with flats, and the strip follows.
    for (int i = 0; i < 3; ++i)
        button("transposeUp")->click();
    EXPECT_EQ(keyShown(), "Key: Bb");
    EXPECT_EQ(stripNames(), (Names{"Bb", "Eb", "F", "Gm", "F/A"}));
    // A capo on 3 plays it with the G shapes again; what sounds stays Bb.
    find<QSpinBox>("capo")->setValue(3);
    EXPECT_EQ(stripNames(), (Names{"G", "C", "D", "Em", "D/F#"}));
    EXPECT_EQ(keyShown(), "Key: Bb");
    EXPECT_EQ(window->shapes()[0].tab, "3 2 0 0 0 3") << "the library's G";

    // Undo, step by step, to the file's own.
    button("undo")->click();
    EXPECT_EQ(find<QSpinBox>("capo")->value(), 0);
    EXPECT_EQ(stripNames().front(), "Bb");
    for (int i = 0; i < 3; ++i)
        button("undo")->click();
    EXPECT_EQ(keyShown(), "Key: G");
    EXPECT_EQ(stripNames().front(), "G");
    EXPECT_FALSE(button("undo")->isEnabled());

    // Down, and twelve steps come round to where it began.
    button("transposeDown")->click();
    EXPECT_EQ(keyShown(), "Key: F#");
    for (int i = 0; i < 12; ++i)
        button("transposeUp")->click();
    EXPECT_EQ(keyShown(), "Key: F#");

    // A file with its own capo starts there.
    show("{capo: 2}\n[G]la\n");
    EXPECT_EQ(find<QSpinBox>("capo")->value(), 2);
    EXPECT_EQ(keyShown(), "Transpose: 0") << "no key: how far it moved";
    button("transposeUp")->click();
    EXPECT_EQ(keyShown(), "Transpose: +1");
}

TEST_F(SongWindowTest, ShapesComeFromTheSongThenTheLibraryThenTheFinderInTheTuningShown) {
    show("{define: Am base-fret 5 frets 1 3 3 1 1 1}\n[Am]Own [C]library [F#m7b5]found "
         "[Qx9]unknown\n");
    ASSERT_EQ(window->shapes().size(), 4u);
    EXPECT_EQ(window->shapes()[0].tab, "5 7 7 5 5 5");
    EXPECT_EQ(window->shapes()[1].tab, "x 3 2 0 1 0");
    EXPECT_EQ(window->shapes()[2].source, library::SongShape::Source::Finder);
    EXPECT_EQ(window->shapes()[3].source, library::SongShape::Source::Unknown);
    EXPECT_TRUE(window->chordStrip().spokenShapes().contains("Qx9: ?"));
    // In Drop D the library's standard-tuning tab no longer serves.
    host.tuning = "D1,A1,D2,G2,B2,E3";
    window->refreshShapes();
    EXPECT_EQ(window->shapes()[1].source, library::SongShape::Source::Finder);
}

TEST_F(SongWindowTest, TheLyricSizeFollowsCtrlPlusAndMinusAndIsKeptInTheSettings) {
    show("[G]Vintern [C]rasat\n");
    const int height = window->sheetView().minimumHeight();
    QTest::keyClick(window.get(), Qt::Key_Plus, Qt::ControlModifier);
    QTest::keyClick(window.get(), Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_EQ(library.Settings.Songfontsize, model::kDefaultSongFontSize + 2);
    EXPECT_GT(window->sheetView().minimumHeight(), height);
    for (int i = 0; i < 40; ++i)
        QTest::keyClick(window.get(), Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(library.Settings.Songfontsize, 6) << "never too small to read";
}

// By keyboard the sheet is one stop, and from it the page keys scroll a long
// song.
TEST_F(SongWindowTest, TheSheetTakesTheFocusOnceAndItsKeysScrollTheSong) {
    std::string song;
    for (int line = 0; line < 80; ++line)
        song += "[G]Vintern [C]rasat ut bland [D]våra fjällar\n";
    show(song);
    window->resize(720, 500);
    QApplication::processEvents();
    QApplication::setActiveWindow(window.get());
    auto& sheet = window->sheetView();
    sheet.setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(sheet.hasFocus());
    auto* area = qobject_cast<QAbstractScrollArea*>(sheet.parentWidget()->parentWidget());
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(area->focusPolicy(), Qt::NoFocus) << "not a second stop for the same sheet";
    ASSERT_EQ(area->verticalScrollBar()->value(), 0);
    QTest::keyClick(&sheet, Qt::Key_PageDown);
    EXPECT_GT(area->verticalScrollBar()->value(), 0);
}

TEST_F(SongWindowTest, ASongbookListsItsSongsAndEachStartsAsItsFileHasIt) {
    show("{title: Ett}\n{key: C}\n[C]ett\n{new_song}\n{title: Två}\n{capo: 3}\n[G]två\n");
    auto* list = find<QListWidget>("songs");
    EXPECT_TRUE(list->isVisible());
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(1)->text(), QString::fromUtf8("Två"));
    button("transposeUp")->click();
    list->setCurrentRow(1);
    EXPECT_EQ(window->currentSong(), 1);
    EXPECT_EQ(find<QSpinBox>("capo")->value(), 3);
    EXPECT_EQ(window->adjustment(), (library::SongAdjustment{0, 3}));
    // One song needs no list.
    show("[C]ett\n");
    EXPECT_FALSE(list->isVisible());
}

TEST_F(SongWindowTest, SaveAsWritesWhatIsShownOrTheFileAsTheUserChoosesAndKeepsTheOtherSongs) {
    const std::string book = "{title: Ett}\n{key: G}\n[G]ett [C]två\n{new_song}\n{title: Två}\n"
                             "[Am]tre\n{x_own: kept}\n";
    show(book, "bok.cho");
    // As written: nothing asked, the file comes back as it was.
    fileChoices = {QString::fromStdString(dir.file("Sång för Åsa"))};
    button("saveAs")->click();
    ASSERT_EQ(fileRequests.size(), 1u);
    EXPECT_EQ(fileRequests[0].fileName, "bok.cho");
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(readFile(dir.file("Sång för Åsa.cho")), book);

    // Transposed: asked; No writes the file's own, Yes what is shown.
    button("transposeUp")->click();
    button("transposeUp")->click();
    answers = {uikit::MessageAnswer::No, uikit::MessageAnswer::Yes, uikit::MessageAnswer::Cancel};
    fileChoices = {QString::fromStdString(dir.file("own.cho")),
                   QString::fromStdString(dir.file("shown.cho"))};
    button("saveAs")->click();
    EXPECT_EQ(shown.back().message.text, "Save the song transposed, as it is shown?");
    EXPECT_EQ(readFile(dir.file("own.cho")), book);
    button("saveAs")->click();
    const std::vector<model::Song> saved = formats::readSongs(readFile(dir.file("shown.cho")));
    ASSERT_EQ(saved.size(), 2u) << "the songbook's other song goes with it";
    EXPECT_EQ(saved[0].meta("key"), "A");
    EXPECT_EQ(model::chordSequence(saved[0]), (Names{"A", "D"}));
    EXPECT_EQ(formats::writeSong(saved[1]), "{title: Två}\n[Am]tre\n{x_own: kept}\n");
    // The window now shows that file, as its own.
    EXPECT_EQ(window->path(), QString::fromStdString(dir.file("shown.cho")));
    EXPECT_EQ(keyShown(), "Key: A");
    EXPECT_FALSE(button("undo")->isEnabled());
    // Cancel writes nothing.
    button("transposeUp")->click();
    const std::size_t dialogs = fileRequests.size();
    button("saveAs")->click();
    EXPECT_EQ(fileRequests.size(), dialogs);

    // A folder that is not there: the system's reason, and no file.
    button("undo")->click();
    fileChoices = {QString::fromStdString(dir.file("gone/x.cho"))};
    shown.clear();
    button("saveAs")->click();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].message.icon, uikit::MessageIcon::Stop);
}

TEST_F(SongWindowTest, SendToPlaylistHandsOverTheShownChordsAndSaysWhatDidNotFit) {
    std::string text = "{capo: 2}\n";
    for (int i = 0; i < 15; ++i)
        text += "[G]la [C]la\n";
    show(text);
    button("sendToPlaylist")->click();
    ASSERT_EQ(host.playlists.size(), 1u);
    EXPECT_EQ(host.playlists[0].count(), model::Playlist::kCapacity);
    EXPECT_EQ(host.playlists[0].entries()[0].Tab, "3 2 0 0 0 3");
    EXPECT_EQ(host.playlists[0].tuningNotes(0), "F#1,B1,E2,A2,C#3,F#3") << "behind the capo";
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].message.text, "Chords left out, as the playlist holds 27: 3");

    // The user kept the playlist there: nothing more is said.
    host.acceptPlaylist = false;
    button("sendToPlaylist")->click();
    EXPECT_EQ(shown.size(), 1u);
}

TEST_F(SongWindowTest, PrintPutsTheShownSongOnPaperChordLinesOverTheirWords) {
    show("{title: Vårvisa}\n{key: G}\n[Em7]Vintern [Cadd9]rasat\n");
    button("transposeUp")->click();
    button("transposeUp")->click();
    const std::string pdf = dir.file("song.pdf");
    uikit::setPrintDialogHandler([&](QWidget*, QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf));
        return true;
    });
    // Ctrl+P prints as the button does.
    EXPECT_EQ(button("print")->toolTip(), "Print (Ctrl+P)");
    QApplication::setActiveWindow(window.get());
    QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier);
    uikit::setPrintDialogHandler({});
    const std::string text = pdfText(pdf);
    EXPECT_NE(text.find("Key: A"), std::string::npos) << text;
    // The line right above the words holds their chords, as transposed.
    const std::size_t words = text.find("Vintern rasat");
    ASSERT_NE(words, std::string::npos) << text;
    const std::size_t lineStart = text.rfind('\n', words - 2) + 1;
    const std::string chordLine = text.substr(lineStart, words - 1 - lineStart);
    EXPECT_NE(chordLine.find("F#m7"), std::string::npos) << chordLine;
    EXPECT_LT(chordLine.find("F#m7"), chordLine.find("Dadd9")) << chordLine;
    EXPECT_NE(text.find("1/1"), std::string::npos) << "the page numbered";
}

TEST_F(SongWindowTest, EveryControlHasANameAScreenReaderSays) {
    show("{title: Ett}\n[C]ett\n{ns}\n[G]två\n");
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        // A spin box's own text field is the spin box, which has the name.
        if (!widget->isVisible() || widget->focusPolicy() == Qt::NoFocus ||
            qobject_cast<QAbstractSpinBox*>(widget->parentWidget()) != nullptr)
            continue;
        QString name = widget->accessibleName();
        if (const auto* push = qobject_cast<QPushButton*>(widget); name.isEmpty() && push)
            name = push->text();
        if (const auto* label = qobject_cast<QLabel*>(widget); name.isEmpty() && label)
            name = label->text();
        EXPECT_FALSE(name.isEmpty())
            << widget->metaObject()->className() << " " << widget->objectName().toStdString();
    }
}

} // namespace
} // namespace strumvale::test
