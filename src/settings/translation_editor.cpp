#include "settings/translation_editor.h"

#include "formats/language_file.h"
#include "library/chord_library.h"
#include "uikit/file_dialog.h"
#include "uikit/icons.h"
#include "uikit/image_button.h"
#include "uikit/message_box.h"
#include "uikit/text.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <algorithm>
#include <exception>

namespace strumvale::settings {
namespace {

using Id = resources::TranslationEditorId;
using uikit::fromQString;
using uikit::toQString;

const QString kFilter = QStringLiteral("K9V Language File (*.lng)");

// The translation an entry "English=Foreign" gives phrase: the first entry
// whose text before its first "=" is the phrase, byte for byte.
std::string translationOf(const std::string& phrase, const formats::TextList& entries) {
    for (const std::string& entry : entries) {
        const std::size_t equals = entry.find('=');
        if (equals != std::string::npos && entry.compare(0, equals, phrase) == 0 &&
            equals == phrase.size())
            return entry.substr(equals + 1);
    }
    return {};
}

} // namespace

TranslationEditor::TranslationEditor(QWidget& window, ChordLibrary& library)
    : QObject(&window), window_(window), library_(library) {
    const resources::DialogTemplate& layout = resources::translationEditorTemplate();
    uikit::buildDialog(window_, layout, uikit::DialogSizing::Child);
    for (const resources::ControlTemplate& each : layout.controls) {
        auto* widget = uikit::control<QWidget>(window_, each.id);
        widget->hide();
        controls_.push_back(widget);
    }
    phrases_ = control<QComboBox>(Id::Phrase);
    translation_ = control<QLineEdit>(Id::Translation);
    fileName_ = control<QLabel>(Id::FileName);
    control<uikit::ImageButton>(Id::Open)->setIconResource(uikit::icon::Open);
    control<uikit::ImageButton>(Id::Save)->setIconResource(uikit::icon::Save);

    fillPhrases();
    connect(phrases_, &QComboBox::currentIndexChanged, this, [this] { showTranslation(); });
    connect(translation_, &QLineEdit::textChanged, this,
            [this](const QString& text) { storeTranslation(text); });
    connect(control<uikit::ImageButton>(Id::Open), &QToolButton::clicked, this, [this] { open(); });
    connect(control<uikit::ImageButton>(Id::Save), &QToolButton::clicked, this, [this] { save(); });
}

void TranslationEditor::retranslate() {
    control<QGroupBox>(Id::TranslateGroup)->setTitle(translate("Translate"));
    control<QLabel>(Id::LanguageLabel)->setText(translate("Language") + ":");
    control<QLabel>(Id::AuthorLabel)->setText(translate("Author") + ":");
    control<QLabel>(Id::DescriptionLabel)->setText(translate("Description") + ":");
    control<QLabel>(Id::PhraseLabel)->setText(translate("Word / Phrase to translate") + ":");
    control<QLabel>(Id::TranslationLabel)->setText(translate("Translate Word / Phrase to") + ":");
    // A file's path stays on show; only the new translation's caption changes.
    if (path_.empty())
        fileName_->setText(translate("Translation File: New Translation"));
    showLeftCount();

    control<QLineEdit>(Id::Language)->setAccessibleName(translate("Language"));
    control<QLineEdit>(Id::Author)->setAccessibleName(translate("Author"));
    control<QLineEdit>(Id::Description)->setAccessibleName(translate("Description"));
    phrases_->setAccessibleName(translate("Word / Phrase to translate"));
    translation_->setAccessibleName(translate("Translate Word / Phrase to"));
    control<uikit::ImageButton>(Id::Open)->setAccessibleName(translate("Open"));
    control<uikit::ImageButton>(Id::Save)->setAccessibleName(translate("Save"));
}

void TranslationEditor::fillPhrases() {
    formats::TextList phrases;
    formats::BuiltInPhrases(phrases);
    const QSignalBlocker blocker(phrases_);
    phrases_->clear();
    for (const std::string& phrase : phrases)
        phrases_->addItem(toQString(phrase));
    translations_.assign(phrases.size(), std::string());
    phrases_->setCurrentIndex(phrases_->count() > 0 ? 0 : -1);
}

void TranslationEditor::showTranslation() {
    const int index = phrases_->currentIndex();
    translation_->setText(index >= 0 ? toQString(translations_.at(static_cast<std::size_t>(index)))
                                     : QString());
    showLeftCount();
}

void TranslationEditor::storeTranslation(const QString& text) {
    // With no phrase chosen there is nowhere to keep it.
    const int index = phrases_->currentIndex();
    if (index >= 0 && static_cast<std::size_t>(index) < translations_.size())
        translations_[static_cast<std::size_t>(index)] = fromQString(text);
    showLeftCount();
}

void TranslationEditor::showLeftCount() {
    const auto left = std::count_if(translations_.begin(), translations_.end(),
                                    [](const std::string& text) { return text.empty(); });
    control<QLabel>(Id::LeftToTranslate)
        ->setText(translate("Words / Phrases left to translate") + ": " + QString::number(left));
}

void TranslationEditor::open() {
    const std::string path = chooseFile(false);
    if (path.empty())
        return;
    formats::TextList header;
    formats::TextList entries;
    try {
        if (!formats::ReadLanguageForEditing(path, header, entries) || header.size() < 4)
            return;
    } catch (const std::exception&) {
        // What cannot be read leaves the page as it was.
        return;
    }
    fillPhrases();
    for (int i = 0; i < phrases_->count(); ++i)
        translations_[static_cast<std::size_t>(i)] =
            translationOf(fromQString(phrases_->itemText(i)), entries);
    showTranslation();
    control<QLineEdit>(Id::Language)->setText(toQString(header[1]));
    control<QLineEdit>(Id::Author)->setText(toQString(header[2]));
    control<QLineEdit>(Id::Description)->setText(toQString(header[3]));
    path_ = path;
    fileName_->setText(uikit::fromSystem(path));
}

void TranslationEditor::save() {
    const formats::TextList header = {
        formats::kLanguageFileVersion,
        fromQString(control<QLineEdit>(Id::Language)->text()),
        fromQString(control<QLineEdit>(Id::Author)->text()),
        fromQString(control<QLineEdit>(Id::Description)->text()),
    };
    formats::TextList phrases;
    for (int i = 0; i < phrases_->count(); ++i)
        phrases.push_back(fromQString(phrases_->itemText(i)));
    const std::string path = chooseFile(true);
    if (path.empty())
        return;
    try {
        if (!formats::WriteLanguageFile(header, phrases, translations_, path))
            return;
    } catch (const std::exception& failure) {
        // The file is replaced whole or not at all; say why it was not.
        uikit::showMessage(&window_, {uikit::fromSystem(failure.what()), translate("Error"),
                                      uikit::MessageIcon::Stop, uikit::MessageButtons::Ok});
        return;
    }
    path_ = path;
    fileName_->setText(uikit::fromSystem(path));
    if (saved_)
        saved_(path);
}

std::string TranslationEditor::chooseFile(bool saving) {
    // Beside the language file in use, else in the shipped languages' folder;
    // saving offers the file's name.
    uikit::FileDialogRequest request{
        saving ? uikit::FileDialogKind::Save : uikit::FileDialogKind::Open, kFilter,
        uikit::fromSystem(library_.Settings.ProgramDirectory) + QStringLiteral("/lang"), QString()};
    if (!path_.empty()) {
        const QFileInfo inUse(uikit::fromSystem(path_));
        request.directory = inUse.absolutePath();
        if (saving)
            request.fileName = inUse.fileName();
    }
    const std::optional<QString> chosen = uikit::chooseFile(&window_, request);
    if (!chosen || QFileInfo(*chosen).fileName().isEmpty())
        return {};
    return uikit::toSystem(uikit::chosenFilePath(*chosen, QStringLiteral(".lng")));
}

QString TranslationEditor::translate(std::string_view key) const {
    return toQString(library_.Translate(key));
}

} // namespace strumvale::settings
