#pragma once

#include "resources/templates/settings_dialog.h"
#include "uikit/dialog_builder.h"

#include <QDialog>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QAbstractButton;
class QButtonGroup;
class QComboBox;
class QPushButton;

namespace strumvale {
class ChordLibrary;
}

namespace strumvale::sound {
class ChordPlayer;
}

namespace strumvale::settings {

class ColourGroup;
class TranslationEditor;

// The program's settings on five pages (General, MIDI, Fretboard, Colors and
// the translation editor's page), edited in place: the dialog reads the
// library's settings record when it opens and writes into it on Apply, then
// has the main window take the new values.
class SettingsDialog : public QDialog {
    Q_OBJECT
public:
    enum class Page { General, Midi, Fretboard, Colors, Other, Translate };
    static constexpr int kPageCount = 6;

    SettingsDialog(ChordLibrary& library, std::function<void()> applySettings,
                   QWidget* parent = nullptr);
    ~SettingsDialog() override;

    // Runs the dialog modally; true when it ended with OK.
    static bool run(ChordLibrary& library, std::function<void()> applySettings, QWidget* parent);

    Page currentPage() const { return page_; }
    void showPage(Page page);
    // Writes the controls into the settings, loads the chosen language and
    // has the window take it all; nothing happens while nothing changed.
    void apply();

    template <typename Widget, typename Id> Widget* control(Id id) const {
        return uikit::control<Widget>(*this, id);
    }

private:
    void buildPages();
    void fillLists();
    // The languages beside the program, current (or what it begins) chosen.
    void fillLanguages(const std::string& current);
    void showLanguageInformation();
    void showSettings();
    void storeSettings();
    void loadChosenLanguage();
    void retranslate();
    void connectChanges();
    void markChanged();
    void browse();
    // C major on what the MIDI page shows now, before anything is applied.
    void testOutput();
    // Silences and resets the program's device, then opens it again.
    void resetDevice();
    QString translate(std::string_view key) const;

    ChordLibrary& library_;
    std::function<void()> applySettings_;
    Page page_ = Page::General;
    std::array<std::vector<QWidget*>, kPageCount> pageControls_;
    QButtonGroup* sideButtons_ = nullptr;
    QPushButton* applyButton_ = nullptr;
    QComboBox* languages_ = nullptr;
    TranslationEditor* translator_ = nullptr;
    std::array<std::unique_ptr<ColourGroup>, 3> colours_;
    // The test strum's own player, so the program's device stays as it is;
    // it lives until the next test or the dialog's end.
    std::unique_ptr<sound::ChordPlayer> testPlayer_;
};

} // namespace strumvale::settings
