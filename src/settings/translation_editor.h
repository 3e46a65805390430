#pragma once

#include "resources/templates/translation_editor.h"
#include "uikit/dialog_builder.h"

#include <QObject>
#include <QString>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace strumvale {
class ChordLibrary;
}

namespace strumvale::settings {

// The Translate page of the settings window: every phrase of the built-in
// table with a translation the user types, the count of those still empty,
// and language files opened and saved. It never changes the language in use.
class TranslationEditor : public QObject {
    Q_OBJECT
public:
    // Builds the page's controls into window, hidden; the window shows them.
    TranslationEditor(QWidget& window, ChordLibrary& library);

    const std::vector<QWidget*>& controls() const { return controls_; }
    void retranslate();
    void open();
    void save();
    // After a successful save, with the path written.
    void onSaved(std::function<void(const std::string& path)> saved) { saved_ = std::move(saved); }

    const std::vector<std::string>& translations() const { return translations_; }

private:
    template <typename Widget> Widget* control(resources::TranslationEditorId id) const {
        return uikit::control<Widget>(window_, id);
    }
    // Every phrase, each without a translation.
    void fillPhrases();
    void showTranslation();
    void storeTranslation(const QString& text);
    void showLeftCount();
    // The language file a file dialog's choice names, or nothing when cancelled.
    std::string chooseFile(bool saving);
    QString translate(std::string_view key) const;

    QWidget& window_;
    ChordLibrary& library_;
    std::vector<QWidget*> controls_;
    QComboBox* phrases_ = nullptr;
    QLineEdit* translation_ = nullptr;
    QLabel* fileName_ = nullptr;
    std::vector<std::string> translations_;
    // The file last opened or saved; empty for a new translation.
    std::string path_;
    std::function<void(const std::string&)> saved_;
};

} // namespace strumvale::settings
