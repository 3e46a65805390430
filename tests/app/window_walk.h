#pragma once

#include "app/about_box.h"
#include "app/chordfile_info_dialog.h"
#include "app/given_files.h"
#include "app/main_dialog.h"
#include "app/page_tab_ctrl.h"
#include "pages/drummer_page.h"
#include "pages/editor_page.h"
#include "pages/tuner_listening.h"
#include "pages/tuner_page.h"
#include "practice/practice_window.h"
#include "resources/templates/drummer_page.h"
#include "resources/templates/editor_page.h"
#include "resources/templates/tuner_page.h"
#include "settings/settings_dialog.h"
#include "songs/song_window.h"
#include "uikit/dialog_builder.h"

#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QRadioButton>
#include <QString>
#include <fstream>
#include <functional>
#include <string>

namespace strumvale::test {

// Called with each window as it is shown and what the user is doing there.
using WindowVisit = std::function<void(QWidget& window, const QString& where)>;

// A song as a songbook writes it, with the letters of its users.
inline constexpr const char* kWalkedSong = "{title: Vårvisa}\n{subtitle: Ståt}\n"
                                           "{start_of_chorus}\n[C]Vår, [C7]ljuv och [C]ljus\n"
                                           "{end_of_chorus}\n{comment: Łagodnie}\n";

// Every window a user meets, shown in turn as they use it: each page of the
// main window (the Tuner's editing and listening, the Drummer's editing and
// the Editor's scales once more), each page of the settings, the chordfile
// information, the about box, the song window with a song and the practice
// window. The song is written to songPath, a file the test owns.
inline void walkWindows(app::MainDialog& main, const std::string& songPath,
                        const WindowVisit& visit) {
    app::PageTabCtrl& tabs = main.pageTabs();
    for (int page = 0; page < app::PageTabCtrl::kPageCount; ++page) {
        tabs.setCurrentIndex(page);
        QApplication::processEvents();
        const QString where = QStringLiteral("main window, page ") + tabs.tabText(page).trimmed();
        visit(main, where);
        if (page == app::PageTabCtrl::Tuner) {
            uikit::control<QRadioButton>(tabs.tunerPage(), resources::TunerId::EnableEditing)
                ->click();
            visit(main, where + QStringLiteral(" editing"));
            uikit::control<QRadioButton>(tabs.tunerPage(), resources::TunerId::DisableEditing)
                ->click();
            tabs.tunerPage().listening().listenBox().click();
            visit(main, where + QStringLiteral(" listening"));
            tabs.tunerPage().listening().listenBox().click();
        } else if (page == app::PageTabCtrl::Drummer) {
            uikit::control<QRadioButton>(tabs.drummerPage(), resources::DrummerId::EnableEditing)
                ->click();
            visit(main, where + QStringLiteral(" editing"));
            uikit::control<QRadioButton>(tabs.drummerPage(), resources::DrummerId::DisableEditing)
                ->click();
        } else if (page == app::PageTabCtrl::Editor) {
            auto* keys =
                uikit::control<QListWidget>(tabs.editorPage(), resources::EditorId::KeyList);
            const int chords = keys->currentRow();
            keys->setCurrentRow(keys->count() - 1);
            visit(main, where + QStringLiteral(" scales"));
            keys->setCurrentRow(chords);
        }
    }
    tabs.setCurrentIndex(0);

    settings::SettingsDialog dialog(
        main.library(), [&main] { main.applySettings(); }, &main);
    const char* const settingsPages[] = {"General", "MIDI",  "Fretboard",
                                         "Colors",  "Other", "Translate"};
    for (int page = 0; page < settings::SettingsDialog::kPageCount; ++page) {
        dialog.showPage(static_cast<settings::SettingsDialog::Page>(page));
        visit(dialog, QStringLiteral("settings, page ") + QString::fromLatin1(settingsPages[page]));
    }
    app::ChordfileInfoDialog information(main.library(), &main);
    visit(information, QStringLiteral("chordfile information"));
    app::AboutBox about(main.library(), &main);
    visit(about, QStringLiteral("about box"));

    std::ofstream(songPath, std::ios::binary) << kWalkedSong;
    app::openSongAtStart(main, QString::fromStdString(songPath));
    QApplication::processEvents();
    visit(main.songWindow(), QStringLiteral("song window"));
    main.songWindow().hide();
    main.showPracticeWindow();
    QApplication::processEvents();
    visit(main.practiceWindow(), QStringLiteral("practice window"));
    main.practiceWindow().hide();
}

} // namespace strumvale::test
