#include "app/file_commands.h"
#include "app/page_tab_ctrl.h"
#include "app/status_line.h"
#include "app_fixture.h"
#include "pages/chords_tabs_page.h"
#include "pages/editor_page.h"
#include "pages/playlist_page.h"
#include "pages/scales_page.h"
#include "resources/templates/chords_tabs_page.h"
#include "resources/templates/editor_page.h"
#include "resources/templates/playlist_page.h"
#include "resources/templates/scales_page.h"
#include "uikit/dialog_builder.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace strumvale::test {
namespace {

using EditorId = resources::EditorId;

class EditorInWindowTest : public AppTest {
protected:
    pages::EditorPage& editor() { return window->pageTabs().editorPage(); }
    template <typename Widget> Widget* editorControl(EditorId id) {
        return uikit::control<Widget>(editor(), id);
    }
    void selectEditorKey(const QString& key) {
        auto* keys = editorControl<QListWidget>(EditorId::KeyList);
        keys->setCurrentItem(keys->findItems(key, Qt::MatchExactly).front());
    }
    static QStringList rows(const QListWidget& list) {
        QStringList texts;
        for (int row = 0; row < list.count(); ++row)
            texts << list.item(row)->text();
        return texts;
    }
    QStringList editorItems() { return rows(*editorControl<QListWidget>(EditorId::ItemList)); }
    QStringList chordsPageList() {
        return rows(*uikit::control<QListWidget>(window->pageTabs().chordsTabsPage(),
                                                 resources::ChordsTabsId::ChordList));
    }
    QStringList playlistPageList() {
        return rows(*uikit::control<QListWidget>(window->pageTabs().playlistPage(),
                                                 resources::PlaylistId::ChordList));
    }
    QStringList scalesPageList() {
        return rows(*uikit::control<QListWidget>(window->pageTabs().scalesPage(),
                                                 resources::ScalesId::ScaleList));
    }
};

TEST_F(EditorInWindowTest, EditsReachTheOtherPagesAndANewChordfileEmptiesThemAll) {
    writeChordfile("default.gtr");
    app::MainDialog& main = start();
    selectEditorKey("C");
    editorControl<QListWidget>(EditorId::ItemList)->setCurrentRow(1);
    answers = {uikit::MessageAnswer::Yes};
    editorControl<QPushButton>(EditorId::Remove)->click();
    EXPECT_EQ(chordsPageList(), QStringList{"C"});
    EXPECT_EQ(playlistPageList(), QStringList{"C"});

    selectEditorKey("Scales");
    editorControl<QLineEdit>(EditorId::NameEdit)->setText("Major again");
    editorControl<QPushButton>(EditorId::Update)->click();
    EXPECT_EQ(scalesPageList(), (QStringList{"Major", "Major again"}));

    editorControl<QPushButton>(EditorId::NewChordfile)->click();
    EXPECT_TRUE(main.library().Modified);
    EXPECT_EQ(main.library().Chords.Count(), 0);
    EXPECT_EQ(main.statusLine().text(), "No Chordfile loaded...");
    EXPECT_TRUE(chordsPageList().isEmpty());
    EXPECT_TRUE(scalesPageList().isEmpty());
    EXPECT_TRUE(editorItems().isEmpty());
}

TEST_F(EditorInWindowTest, AnotherChordfileOpenedRefillsTheEditor) {
    writeChordfile("default.gtr");
    app::MainDialog& main = start();
    selectEditorKey("C");
    editorControl<QListWidget>(EditorId::ItemList)->setCurrentRow(1);
    ASSERT_EQ(editorControl<QLineEdit>(EditorId::NameEdit)->text(), "C7");

    writeChordfile(dir.file("other.gtr"), [](ChordLibrary& library) {
        library.Chords.RemoveAll();
        library.Chords.Add(model::Chord("C", "Cmaj7", "x 3 2 0 0 0"));
        library.Author = "Someone else";
    });
    fileChoices = {QString::fromStdString(dir.file("other.gtr"))};
    app::openCommand(main);
    EXPECT_EQ(editorItems(), QStringList{"Cmaj7"});
    EXPECT_EQ(editorControl<QLineEdit>(EditorId::NameEdit)->text(), "Cmaj7");
    EXPECT_EQ(editorControl<QLineEdit>(EditorId::AuthorOrIntervals)->text(), "Someone else");

    // Remove acts on what the list shows now, not on the list of before.
    answers = {uikit::MessageAnswer::Yes};
    editorControl<QPushButton>(EditorId::Remove)->click();
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.back().message.text, "Remove: Cmaj7");
    EXPECT_EQ(main.library().Chords.Count(), 0);
}

} // namespace
} // namespace strumvale::test
