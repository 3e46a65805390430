#include "formats/language_file.h"
#include "resources/templates/translation_editor.h"
#include "settings_rig.h"
#include "support/qt_text.h"
#include "support/user_names.h"
#include "uikit/image_button.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>

namespace strumvale::test {
namespace {

using TranslateId = resources::TranslationEditorId;

class TranslationEditorTest : public SettingsRig {
protected:
    TranslationEditorTest() {
        open();
        press(Id::TranslateButton);
        formats::BuiltInPhrases(phrases);
    }

    QComboBox* phraseList() { return control<QComboBox>(TranslateId::Phrase); }
    QLineEdit* translation() { return control<QLineEdit>(TranslateId::Translation); }
    QLineEdit* edit(TranslateId id) { return control<QLineEdit>(id); }
    QString leftCount() { return control<QLabel>(TranslateId::LeftToTranslate)->text(); }
    QString fileLabel() { return control<QLabel>(TranslateId::FileName)->text(); }
    void choosePhrase(const char* phrase) { phraseList()->setCurrentText(phrase); }
    void type(const QString& text) {
        translation()->clear();
        QTest::keyClicks(translation(), text);
    }
    void openFile(const QString& chosen) {
        fileChoices = {chosen};
        control<uikit::ImageButton>(TranslateId::Open)->click();
    }
    void saveFile(const QString& chosen) {
        fileChoices = {chosen};
        control<uikit::ImageButton>(TranslateId::Save)->click();
    }
    QString inLang(const std::string& name) {
        return QString::fromStdString(dir.file("lang/" + name));
    }
    void writeEntries(const std::string& name, const formats::TextList& english,
                      const formats::TextList& foreign) {
        ASSERT_TRUE(formats::WriteLanguageFile({"4.0.0.beta1", "Testish", "Ann", "A test"}, english,
                                               foreign, dir.file("lang/" + name)));
    }

    formats::TextList phrases;
};

TEST_F(TranslationEditorTest, AFreshEditorCountsEveryPhraseAndKeepsWhatIsTyped) {
    EXPECT_TRUE(phraseList()->isVisibleTo(dialog.get()));
    EXPECT_EQ(control<QGroupBox>(TranslateId::TranslateGroup)->title(), "Translate");
    ASSERT_EQ(phraseList()->count(), static_cast<int>(phrases.size()));
    for (int i = 0; i < phraseList()->count(); ++i)
        ASSERT_EQ(phraseList()->itemText(i).toStdString(), phrases[static_cast<std::size_t>(i)]);
    EXPECT_EQ(phraseList()->currentIndex(), 0);
    EXPECT_EQ(translation()->text(), "");
    const QString all = QString::number(phrases.size());
    EXPECT_EQ(leftCount(), "Words / Phrases left to translate: " + all);
    EXPECT_EQ(fileLabel(), "Translation File: New Translation");

    choosePhrase("Open");
    type("Öppna");
    EXPECT_EQ(leftCount(),
              "Words / Phrases left to translate: " + QString::number(phrases.size() - 1));
    choosePhrase("Save");
    EXPECT_EQ(translation()->text(), "");
    choosePhrase("Open");
    EXPECT_EQ(translation()->text(), "Öppna");

    // With no phrase chosen the text has nowhere to go.
    phraseList()->setCurrentIndex(-1);
    type("lost");
    EXPECT_EQ(leftCount(),
              "Words / Phrases left to translate: " + QString::number(phrases.size() - 1));
    choosePhrase("Save");
    EXPECT_EQ(translation()->text(), "");

    EXPECT_EQ(control<uikit::ImageButton>(TranslateId::Open)->accessibleName(), "Open");
    EXPECT_EQ(control<uikit::ImageButton>(TranslateId::Save)->accessibleName(), "Save");
}

TEST_F(TranslationEditorTest, OpenMatchesEachPhraseToTheFirstEntryOfItsWholeText) {
    choosePhrase("Help");
    type("typed before");
    writeEntries("testish.lng", {"Exit", "Help", "Help", "Play it", "Stop"},
                 {"Avsluta", "Hj\xE4lp", "Hj\xE4lp igen", "Spela", ""});
    // (Texts in files are in the program's 8-bit code page.)
    // Chosen without the extension, as a user may type it.
    openFile(inLang("testish"));
    ASSERT_EQ(fileRequests.size(), 1u);
    EXPECT_EQ(fileRequests[0].filter, "K9V Language File (*.lng)");
    EXPECT_EQ(fileRequests[0].directory, QString::fromStdString(dir.file("lang")));
    EXPECT_EQ(fileLabel(), inLang("testish.lng"));
    EXPECT_EQ(edit(TranslateId::Language)->text(), "Testish");
    EXPECT_EQ(edit(TranslateId::Author)->text(), "Ann");
    EXPECT_EQ(edit(TranslateId::Description)->text(), "A test");
    EXPECT_EQ(phraseList()->currentIndex(), 0);

    choosePhrase("Exit");
    EXPECT_EQ(translation()->text(), "Avsluta");
    choosePhrase("Help");
    EXPECT_EQ(translation()->text(), "Hjälp"); // the first entry wins, what was typed is gone
    choosePhrase("Play");
    EXPECT_EQ(translation()->text(), ""); // "Play it" is another phrase
    EXPECT_EQ(leftCount(),
              "Words / Phrases left to translate: " + QString::number(phrases.size() - 2));
}

TEST_F(TranslationEditorTest, AnEntryWithAnEqualsSignInItsEnglishTextMatchesNoWholePhrase) {
    // Read back, "Play=Now" with "Spela" is the entry text "Play=Now=Spela":
    // its English part ends at the first "=", so "Play" takes "Now=Spela".
    writeEntries("equals.lng", {"Play=Now", "Stop and=go"}, {"Spela", "Stanna"});
    openFile(inLang("equals.lng"));
    choosePhrase("Play");
    EXPECT_EQ(translation()->text(), "Now=Spela");
    choosePhrase("Stop");
    EXPECT_EQ(translation()->text(), "");
}

TEST_F(TranslationEditorTest, ASavedTranslationLoadsAsALanguageAndOpensAgain) {
    edit(TranslateId::Language)->setText("Minimal");
    edit(TranslateId::Author)->setText("Bo");
    edit(TranslateId::Description)->setText("Two words");
    choosePhrase("Open");
    type("Öppna");
    choosePhrase("Save");
    type("Spara");
    saveFile(inLang("minimal"));
    const std::string path = dir.file("lang/minimal.lng");
    EXPECT_EQ(fileLabel(), QString::fromStdString(path));
    EXPECT_TRUE(messages.empty());

    formats::TextList header, entries;
    ASSERT_TRUE(formats::ReadLanguageForEditing(path, header, entries));
    EXPECT_EQ(header, (formats::TextList{"4.0.0.beta1", "Minimal", "Bo", "Two words"}));
    ASSERT_EQ(entries.size(), phrases.size());
    for (std::size_t i = 0; i < phrases.size(); ++i) {
        const std::string expected = phrases[i] == "Open"   ? "Open=\xD6ppna"
                                     : phrases[i] == "Save" ? "Save=Spara"
                                                            : phrases[i] + "=";
        EXPECT_EQ(entries[i], expected);
    }

    // The General page lists it at once, and it loads as a language.
    EXPECT_NE(combo(Id::LanguageCombo)->findText("minimal"), -1);
    formats::TranslationTable table;
    ASSERT_TRUE(formats::LoadLanguage(table, path));
    EXPECT_EQ(formats::Translate(table, "Open"), "\xD6ppna");
    EXPECT_EQ(formats::Translate(table, "Exit"), "Translation Error!");

    // A second dialog opens it with the same translations.
    open();
    press(Id::TranslateButton);
    openFile(inLang("minimal.lng"));
    choosePhrase("Open");
    EXPECT_EQ(translation()->text(), "Öppna");
    choosePhrase("Save");
    EXPECT_EQ(translation()->text(), "Spara");
    EXPECT_EQ(edit(TranslateId::Author)->text(), "Bo");
}

TEST_F(TranslationEditorTest, LanguageFilesWithNamesOutsideAsciiSaveAndOpenAsTheyAre) {
    choosePhrase("Open");
    type("Öppna");
    // The shipped folder, under the name the user gives.
    saveFile(inLang(kUserLanguage));
    const std::string inShipped = dir.file("lang/" + kUserLanguage);
    EXPECT_TRUE(messages.empty());
    ASSERT_TRUE(std::filesystem::exists(inShipped));
    EXPECT_EQ(fileLabel(), qtext(inShipped));
    EXPECT_NE(combo(Id::LanguageCombo)->findText(qtext("Språk ł 🎸")), -1)
        << "listed by its own name";

    // Elsewhere too, and opened from there.
    std::filesystem::create_directory(dir.file(kUserFolder));
    const std::string elsewhere = dir.file(kUserFolder + "/" + kUserLanguage);
    saveFile(qtext(elsewhere));
    ASSERT_TRUE(std::filesystem::exists(elsewhere));
    open();
    press(Id::TranslateButton);
    openFile(qtext(elsewhere));
    EXPECT_EQ(fileLabel(), qtext(elsewhere));
    choosePhrase("Open");
    EXPECT_EQ(translation()->text(), "Öppna");

    // Too long a name for the file system: its own reason, nothing written.
    saveFile(qtext(dir.file(kUserFolder + "/" + nameTooLong(".lng"))));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(
        messages[0].message.text.contains(QString::fromLocal8Bit(std::strerror(ENAMETOOLONG))))
        << messages[0].message.text.toStdString();
    EXPECT_EQ(fileLabel(), qtext(elsewhere));
}

TEST_F(TranslationEditorTest, NothingChosenUnreadableOrUnwritableLeavesEverythingAsItWas) {
    choosePhrase("Open");
    type("Öppna");
    const QString left = leftCount();

    openFile(inLang("missing.lng"));
    openFile(inLang("damaged.lng"));
    fileChoices.clear();
    control<uikit::ImageButton>(TranslateId::Open)->click(); // cancelled
    EXPECT_EQ(translation()->text(), "Öppna");
    EXPECT_EQ(leftCount(), left);
    EXPECT_EQ(fileLabel(), "Translation File: New Translation");

    saveFile(QString::fromStdString(dir.file("lang/"))); // a folder, no name
    EXPECT_FALSE(std::filesystem::exists(dir.file("lang/.lng")));

    // A folder that is not there: refused with the reason, nothing written.
    saveFile(inLang("gone/refused.lng"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].message.icon, uikit::MessageIcon::Stop);
    EXPECT_NE(messages[0].message.text, "");
    EXPECT_FALSE(std::filesystem::exists(dir.file("lang/gone")));
    EXPECT_EQ(fileLabel(), "Translation File: New Translation");
}

} // namespace
} // namespace strumvale::test
