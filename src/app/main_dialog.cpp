#include "app/main_dialog.h"

#include "app/about_box.h"
#include "app/chordfile_info_dialog.h"
#include "app/file_commands.h"
#include "app/page_tab_ctrl.h"
#include "app/playlist_files.h"
#include "app/program_paths.h"
#include "app/startup_language.h"
#include "app/status_line.h"
#include "container/zip_exception.h"
#include "formats/chordpro.h"
#include "formats/song_file.h"
#include "pages/chords_tabs_page.h"
#include "pages/drummer_page.h"
#include "pages/editor_page.h"
#include "pages/playlist_page.h"
#include "pages/scales_page.h"
#include "pages/tuner_page.h"
#include "platform/file_error.h"
#include "practice/practice_window.h"
#include "resources/templates/main_dialog.h"
#include "settings/settings_dialog.h"
#include "songs/song_window.h"
#include "uikit/dialog_builder.h"
#include "uikit/icons.h"
#include "uikit/image_button.h"
#include "uikit/message_box.h"
#include "uikit/player_errors.h"
#include "uikit/tab_order.h"
#include "uikit/text.h"

#include <QComboBox>
#include <QShortcut>

namespace strumvale::app {
namespace {

using Id = resources::MainDialogId;

} // namespace

MainDialog::MainDialog(ChordLibrary::Options options, const std::string& startupChordfile)
    : QDialog(nullptr), library_(options) {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    uikit::buildDialog(*this, resources::mainDialogTemplate(), uikit::DialogSizing::FixedWindow,
                       [](const resources::ControlTemplate& control, QWidget* parent) -> QWidget* {
                           if (control.id == static_cast<int>(Id::Tabs))
                               return new PageTabCtrl(parent);
                           if (control.id == static_cast<int>(Id::StatusLine))
                               return new StatusLine(parent);
                           return nullptr;
                       });
    // Until the device is opened, strums use the stored instrument.
    library_.ChordPlayer.setInstrument(library_.Settings.Instrument);
    reportPlayerErrors();
    settingsDialog_ = [](MainDialog& window) {
        return settings::SettingsDialog::run(
            window.library(), [&window] { window.applySettings(); }, &window);
    };

    setWindowIcon(uikit::applicationIcon());
    setUpButtons();
    selectLanguage();
    loadStartupChordfile(startupChordfile);
    createPages();
    updateCaptions();
    updateTabCaptions();
    setWindowTitle(uikit::toQString(kTitle));
    applySettings();
    tabs_->currentWidget()->setFocus();
}

MainDialog::~MainDialog() {
    library_.ChordPlayer.setErrorReport({});
    // It plays the Drummer page's pattern through the library's player.
    delete songWindow_;
    delete practiceWindow_;
    delete statusLine_;
    // The pages go before the library they work on.
    delete tabs_;
    for (uikit::ImageButton* button : {saveButton_, openButton_, aboutButton_, helpButton_,
                                       settingsButton_, printButton_, exitButton_, infoButton_}) {
        delete button;
    }
}

void MainDialog::setUpButtons() {
    struct Command {
        uikit::ImageButton*& button;
        Id id;
        int icon;
        void (MainDialog::*handler)();
    };
    const Command commands[] = {
        {openButton_, Id::Open, uikit::icon::Open, nullptr},
        {saveButton_, Id::Save, uikit::icon::Save, nullptr},
        {printButton_, Id::Print, uikit::icon::Print, nullptr},
        {settingsButton_, Id::Settings, uikit::icon::Settings, &MainDialog::settingsCommand},
        {helpButton_, Id::Help, uikit::icon::Help, nullptr},
        {aboutButton_, Id::About, uikit::icon::About, &MainDialog::aboutCommand},
        {exitButton_, Id::Exit, uikit::icon::Exit, &MainDialog::exitCommand},
        {infoButton_, Id::ChordfileInfo, uikit::icon::ChordfileInfo,
         &MainDialog::chordfileInfoCommand},
    };
    for (const Command& command : commands) {
        command.button = uikit::control<uikit::ImageButton>(*this, command.id);
        command.button->setIconResource(command.icon);
        if (command.handler != nullptr) {
            connect(command.button, &QToolButton::clicked, this, command.handler);
        }
    }
    // The usual keys for the commands a desktop program has; Exit asks as its
    // button does.
    // A button's own shortcut clicks it a tenth of a second later; these at once.
    for (const auto& [button, keys] : commandKeys())
        connect(new QShortcut(keys, this), &QShortcut::activated, button, &QToolButton::click);
    connect(openButton_, &QToolButton::clicked, this, [this] { openCommand(*this); });
    connect(saveButton_, &QToolButton::clicked, this, [this] { saveCommand(*this); });
    connect(printButton_, &QToolButton::clicked, this, [this] { printCommand(*this); });
    // The Help button opens the read-me itself.
    helpButton_->setLinkTarget(readmeTarget(library_.Settings.ProgramDirectory));

    practiceButton_ = uikit::control<QPushButton>(*this, Id::Practice);
    connect(practiceButton_, &QPushButton::clicked, this, [this] { showPracticeWindow(); });
    tabs_ = uikit::control<PageTabCtrl>(*this, Id::Tabs);
    statusLine_ = uikit::control<StatusLine>(*this, Id::StatusLine);
    connect(tabs_, &PageTabCtrl::tabStripClicked, this, [this] {
        if (tabs_->currentIndex() == PageTabCtrl::Scales && library_.Modified)
            onScalesChanged();
    });
}

std::vector<std::pair<uikit::ImageButton*, QKeySequence>> MainDialog::commandKeys() const {
    return {{openButton_, QKeySequence::Open},
            {saveButton_, QKeySequence::Save},
            {printButton_, QKeySequence::Print},
            {helpButton_, QKeySequence(Qt::Key_F1)},
            {exitButton_, QKeySequence(Qt::CTRL | Qt::Key_Q)}};
}

void MainDialog::reportPlayerErrors() {
    uikit::showPlayerErrors(library_.ChordPlayer, *this);
}

void MainDialog::selectLanguage() {
    loadStartupLanguage(library_);
}

void MainDialog::loadStartupChordfile(const std::string& given) {
    if (!given.empty()) {
        try {
            if (library_.LoadChordfile(given))
                return;
            uikit::showMessage(this, {translate("Could not open the file."), translate("Error"),
                                      uikit::MessageIcon::Information, uikit::MessageButtons::Ok});
        } catch (const container::CZipException& error) {
            showStopMessage(error);
        } catch (const platform::FileError& error) {
            showStopMessage(error);
        }
    }
    if (library_.Settings.Startupchordfile != model::kDefaultChordfileSetting)
        return;
    try {
        library_.LoadChordfile("default.gtr");
    } catch (const container::CZipException& error) {
        // The window still gets its pages and captions, over an empty library.
        showStopMessage(error);
    } catch (const platform::FileError& error) {
        showStopMessage(error);
    }
}

void MainDialog::createPages() {
    std::array<QString, PageTabCtrl::kPageCount> captions;
    for (std::size_t index = 0; index < captions.size(); ++index) {
        captions.at(index) = translate(PageTabCtrl::kCaptionKeys.at(index));
    }
    tabs_->createPages(*this, captions);
    orderTabs();
}

// The commands along the top, the tab strip and the page shown (in the
// page's own order), then the row at the bottom: Tab goes through the window
// as it reads.
void MainDialog::orderTabs() {
    const auto button = [this](Id id) { return uikit::control<QWidget>(*this, id); };
    std::vector<QWidget*> order{button(Id::Open),     button(Id::Save), button(Id::Print),
                                button(Id::Settings), button(Id::Help), button(Id::About),
                                tabs_->tabBar()};
    for (int index = 0; index < PageTabCtrl::kPageCount; ++index) {
        const std::vector<QWidget*> controls = tabs_->page(index)->tabOrder();
        order.insert(order.end(), controls.begin(), controls.end());
    }
    order.insert(order.end(), {button(Id::ChordfileInfo), button(Id::Practice), button(Id::Exit)});
    uikit::chainTabOrder(order);
}

QString MainDialog::translate(std::string_view key) const {
    return uikit::toQString(library_.Translate(key));
}

QString MainDialog::noChordfileText() const {
    return translate("No Chordfile loaded") + QStringLiteral("...");
}

void MainDialog::showStopMessage(const std::exception& error) {
    uikit::showMessage(this, {uikit::fromSystem(error.what()), uikit::toQString(kTitle),
                              uikit::MessageIcon::Stop, uikit::MessageButtons::Ok});
}

void MainDialog::onChordsChanged() {
    tabs_->chordsTabsPage().refreshChords();
    tabs_->playlistPage().refreshPlaylist();
    if (songWindow_ != nullptr)
        songWindow_->refreshShapes();
}

void MainDialog::onScalesChanged() {
    tabs_->scalesPage().refreshScales();
}

void MainDialog::onTuningsChanged() {
    tabs_->chordsTabsPage().refreshTunings();
    tabs_->scalesPage().refreshTunings();
    tabs_->tunerPage().refreshTunings();
    if (songWindow_ != nullptr)
        songWindow_->refreshShapes();
}

void MainDialog::onDrumPatternsChanged() {
    tabs_->drummerPage().refreshDrumPatterns();
}

void MainDialog::closeChordfile() {
    library_.Reset();
    onChordsChanged();
    onScalesChanged();
    onTuningsChanged();
    onDrumPatternsChanged();
    tabs_->editorPage().refresh();
    statusLine_->setText(noChordfileText());
}

void MainDialog::addChordToPlaylist(const model::Chord& chord, std::string_view tuningNotes) {
    tabs_->playlistPage().addChord(chord, tuningNotes);
}

sound::LivePattern& MainDialog::drummerPattern() {
    return tabs_->drummerPage().livePattern();
}

bool MainDialog::drummerPatternLoaded() {
    return tabs_->drummerPage().hasPattern();
}

std::string MainDialog::songTuningNotes() {
    const std::optional<model::Tuning> tuning = tabs_->chordsTabsPage().selectedTuning();
    return tuning ? tuning->Notes : std::string(model::kStandardTuningNotes);
}

bool MainDialog::replacePlaylist(const model::Playlist& playlist) {
    if (!settleChangedPlaylist(*this))
        return false;
    pages::PlaylistPage& page = tabs_->playlistPage();
    page.showNewPlaylist(playlist);
    tabs_->setCurrentIndex(PageTabCtrl::Playlist);
    return true;
}

practice::PracticeWindow& MainDialog::practiceWindow() {
    if (practiceWindow_ == nullptr)
        practiceWindow_ = new practice::PracticeWindow(*this, this);
    return *practiceWindow_;
}

void MainDialog::showPracticeWindow() {
    practice::PracticeWindow& window = practiceWindow();
    window.refresh();
    window.show();
    window.raise();
    window.activateWindow();
}

void MainDialog::practiseChords(const std::vector<std::string>& chords) {
    showPracticeWindow();
    if (!chords.empty())
        practiceWindow_->drill(chords);
}

std::vector<std::string> MainDialog::songChordNames() {
    return songWindow_ != nullptr ? songWindow_->chordNames() : std::vector<std::string>();
}

songs::SongWindow& MainDialog::songWindow() {
    if (songWindow_ == nullptr)
        songWindow_ = new songs::SongWindow(*this, this);
    return *songWindow_;
}

void MainDialog::showSongs(std::vector<model::Song> songs, const QString& path) {
    songs::SongWindow& window = songWindow();
    window.showSongs(std::move(songs), path);
    window.show();
    window.raise();
    window.activateWindow();
}

void MainDialog::showPlaylistAsSong() {
    pages::PlaylistPage& page = tabs_->playlistPage();
    const std::string text =
        formats::writeChordPro(page.playlistToKeep(), uikit::toSystem(page.sheetTitle()));
    showSongs(formats::readSongs(text), page.songFile());
}

void MainDialog::fillTuningCombo(QComboBox& combo) {
    combo.clear();
    for (const model::Tuning& tuning : library_.Tunings.items()) {
        combo.addItem(uikit::toQString(tuning.Name));
    }
    combo.setCurrentIndex(0);
}

void MainDialog::applySettings() {
    const model::Settings& settings = library_.Settings;
    tabs_->chordsTabsPage().refreshChords();
    tabs_->scalesPage().showSelectedScale();
    tabs_->tunerPage().takeSettings();
    tabs_->drummerPage().takeSettings();
    tabs_->playlistPage().takeSettings();
    tabs_->editorPage().takeSettings();
    for (int index = 0; index < PageTabCtrl::kPageCount; ++index)
        tabs_->page(index)->update();

    sound::ChordPlayer& player = library_.ChordPlayer;
    player.reopen(settings.Midioutdevice);
    player.setChannel(settings.Midichannel);
    player.setStrumDelay(settings.Chordspeed);
    player.setHoldTime(settings.Chorddecay);
    player.setVelocity(settings.Volume);
    updateCaptions();
    updateTabCaptions();
    library_.Settings.SettingsChanged = false;
}

void MainDialog::updateCaptions() {
    const std::pair<uikit::ImageButton*, std::string_view> captions[] = {
        {openButton_, "Open"},         {saveButton_, "Save"}, {printButton_, "Print"},
        {settingsButton_, "Settings"}, {helpButton_, "Help"}, {aboutButton_, "About"},
        {exitButton_, "Exit"},
    };
    for (const auto& [button, key] : captions)
        button->setText(translate(key));
    for (const auto& [button, keys] : commandKeys())
        button->setToolTip(uikit::captionWithKeys(button->text(), keys));
    practiceButton_->setText(translate("Practice"));
    if (practiceWindow_ != nullptr)
        practiceWindow_->retranslate();
    // The one command button that shows only its icon.
    infoButton_->setAccessibleName(translate("Chordfile Information"));

    if (library_.Loaded) {
        statusLine_->setText(uikit::fromSystem(
            loadedChordfilePath(library_.Settings.ProgramDirectory, library_.FileName)));
    } else {
        statusLine_->setText(noChordfileText());
    }
}

void MainDialog::updateTabCaptions() {
    for (int index = 0; index < PageTabCtrl::kPageCount; ++index) {
        tabs_->setCaption(index,
                          translate(PageTabCtrl::kCaptionKeys.at(static_cast<std::size_t>(index))));
    }
    for (int index = 0; index < PageTabCtrl::kPageCount; ++index)
        tabs_->page(index)->retranslate();
}

void MainDialog::setSettingsDialogRunner(SettingsDialogRunner runner) {
    settingsDialog_ = std::move(runner);
}

bool MainDialog::refuseWhilePlaying(const QString& caption) {
    if (!library_.ChordPlayer.isPlaying() && !tabs_->tunerPage().isSounding())
        return false;
    uikit::showMessage(this, {translate("Please stop playing first."), caption,
                              uikit::MessageIcon::Information, uikit::MessageButtons::Ok});
    return true;
}

void MainDialog::settingsCommand() {
    if (refuseWhilePlaying(translate("Error") + QStringLiteral("...")))
        return;
    if (!settingsDialog_)
        return;
    // The dialog's device lists and the device the user picks there are
    // this one look at the devices.
    library_.ChordPlayer.refreshDevices();
    if (settingsDialog_(*this) && library_.Settings.SettingsChanged)
        applySettings();
}

void MainDialog::chordfileInfoCommand() {
    ChordfileInfoDialog dialog(library_, this);
    dialog.exec();
}

void MainDialog::aboutCommand() {
    showAboutBox(this, library_);
}

void MainDialog::exitCommand() {
    if (refuseWhilePlaying(translate("Error")))
        return;
    if (!settleChangedPlaylist(*this))
        return;
    if (library_.Modified) {
        const uikit::MessageAnswer answer =
            uikit::showMessage(this, {translate("Quit without saving?"), translate("Save?"),
                                      uikit::MessageIcon::None, uikit::MessageButtons::YesNo});
        if (answer != uikit::MessageAnswer::Yes)
            return;
    }
    QDialog::reject();
}

void MainDialog::reject() {
    exitCommand();
}

} // namespace strumvale::app
