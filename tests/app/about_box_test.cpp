#include "app/about_box.h"
#include "app/about_texts.h"
#include "library/chord_library.h"
#include "support/modal_seams.h"
#include "uikit/image_button.h"
#include "uikit/link_label.h"
#include "uikit/message_box.h"
#include "uikit/open_target.h"
#include "uikit/text.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <vector>

namespace strumvale::app {
namespace {

class AboutBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        library.Translations.Add("About=Om");
        library.Translations.Add("OK=Ok");
        library.Translations.Add("Check for update=S\xF6k uppdatering");
        uikit::setShellOpenHandler([this](const QString& target) {
            opened.push_back(target);
            return shellResult;
        });
    }
    void TearDown() override { uikit::setShellOpenHandler({}); }

    ChordLibrary library;
    int shellResult = uikit::kOpenSucceeded;
    std::vector<QString> opened;
    test::ModalSeams modal;
    std::vector<test::ModalSeams::Shown>& messages = modal.shown;
};

TEST_F(AboutBoxTest, ShowsTranslatedCaptionsNoticeAndVersion) {
    AboutBox box(library);
    EXPECT_EQ(box.windowTitle(), QStringLiteral("Om..."));
    EXPECT_EQ(box.okButton()->text(), QStringLiteral("Ok"));
    EXPECT_EQ(box.updateButton()->text(), QString::fromUtf8("Sök uppdatering"));
    EXPECT_EQ(box.notice()->text(), QStringLiteral("Strumvale - guitar chords, scales and "
                                                   "tunings\nVersion 4.0.0.beta1 - Feb 22 2004"));
    EXPECT_EQ(about::noticeText(), QStringLiteral("Strumvale - guitar chords, scales and "
                                                  "tunings\r\nVersion 4.0.0.beta1 - Feb 22 2004"));

    ChordLibrary untranslated;
    AboutBox plain(untranslated);
    EXPECT_EQ(plain.windowTitle(), QStringLiteral("Translation Error!..."));
}

TEST_F(AboutBoxTest, CreditsNameEachLibraryWithItsNotice) {
    const QStringList lines = about::creditsText().split(QStringLiteral("\r\n"));
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("Credits:"));
    EXPECT_EQ(lines[1], QString());
    EXPECT_EQ(lines.back(), QString()) << "every line ends with CR LF";

    QStringList names;
    int index = 2;
    while (index < lines.size() - 1) {
        const QString& heading = lines[index];
        ASSERT_TRUE(heading.startsWith(QStringLiteral("- ")) &&
                    heading.endsWith(QStringLiteral(" -")))
            << heading.toStdString();
        names << heading.mid(2, heading.size() - 4);
        int notice = 0;
        for (++index; index < lines.size() - 1 && !lines[index].isEmpty(); ++index) {
            EXPECT_FALSE(lines[index].startsWith(QStringLiteral("- ")));
            ++notice;
        }
        EXPECT_GE(notice, 2) << "copyright and licence of " << names.back().toStdString();
        if (index < lines.size() - 1)
            ++index; // the one empty line between blocks
    }
    EXPECT_EQ(names, QStringList({"Strumvale", "zlib", "Qt", "FluidSynth", "ALSA library",
                                  "Fluid (R3) General MIDI SoundFont"}));
    EXPECT_TRUE(lines.contains(QStringLiteral("License: GPL-3.0-or-later")));

    AboutBox box(library);
    EXPECT_TRUE(box.credits()->isReadOnly());
    EXPECT_EQ(box.credits()->toPlainText(), uikit::withLineBreaks(about::creditsText()));
}

TEST_F(AboutBoxTest, LinksOpenTheMakersAddressesAndStartUnvisited) {
    {
        AboutBox box(library);
        uikit::LinkLabel& web = *box.webLink();
        uikit::LinkLabel& support = *box.supportLink();
        EXPECT_EQ(web.text(), QStringLiteral("https://strumvale.example.org/"));
        EXPECT_EQ(web.linkTarget(), QStringLiteral("https://strumvale.example.org/"));
        EXPECT_EQ(support.text(), QStringLiteral("support@strumvale.example.org"));
        EXPECT_EQ(support.toolTip(), QStringLiteral("mailto:support@strumvale.example.org"));
        EXPECT_TRUE(web.font().underline());
        EXPECT_TRUE(support.font().underline());
        EXPECT_FALSE(web.isVisited());
        EXPECT_FALSE(support.isVisited());

        QTest::mouseClick(&support, Qt::LeftButton);
        QTest::mouseClick(&web, Qt::LeftButton);
        ASSERT_EQ(opened.size(), 2u);
        EXPECT_EQ(opened[0], QStringLiteral("mailto:support@strumvale.example.org"));
        EXPECT_EQ(opened[1], QStringLiteral("https://strumvale.example.org/"));
        EXPECT_TRUE(web.isVisited());
        EXPECT_TRUE(support.isVisited());
    }
    AboutBox again(library);
    EXPECT_FALSE(again.webLink()->isVisited());
    EXPECT_FALSE(again.supportLink()->isVisited());
}

TEST_F(AboutBoxTest, UpdateButtonOpensTheUpdatePageSilently) {
    AboutBox box(library);
    uikit::ImageButton& update = *box.updateButton();
    EXPECT_EQ(update.cursor().shape(), Qt::PointingHandCursor);
    EXPECT_FALSE(update.icon().isNull());
    shellResult = uikit::kOpenFileNotFound;
    update.click();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QStringLiteral("https://strumvale.example.org/update"));
    EXPECT_TRUE(messages.empty()) << "a failed update page says nothing";
}

TEST_F(AboutBoxTest, OkAndEscapeCloseTheBox) {
    AboutBox box(library);
    box.show();
    box.okButton()->click();
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(box.result(), QDialog::Accepted);

    box.show();
    QTest::keyClick(&box, Qt::Key_Escape);
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(box.result(), QDialog::Rejected);

    // The About command runs it modally and returns once it is closed.
    int closed = 0;
    QTimer closer;
    closer.setInterval(10);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* open = qobject_cast<AboutBox*>(widget);
            if (open != nullptr && open->isVisible() && open->isModal()) {
                ++closed;
                open->okButton()->click();
            }
        }
    });
    closer.start();
    showAboutBox(nullptr, library);
    EXPECT_EQ(closed, 1);
}

TEST_F(AboutBoxTest, LogoIsDrawn) {
    AboutBox box(library);
    ASSERT_NE(box.logo(), nullptr);
    EXPECT_EQ(box.logo()->pixmap().size(), box.logo()->size());

    const QImage shot = box.grab().toImage();
    const QRect area = box.logo()->geometry();
    const QColor background = box.palette().color(QPalette::Window);
    int drawn = 0;
    QSet<QRgb> colours;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb pixel = shot.pixel(x, y);
            colours.insert(pixel);
            if (QColor(pixel) != background)
                ++drawn;
        }
    }
    EXPECT_GT(drawn, area.width() * area.height() * 9 / 10);
    EXPECT_GT(colours.size(), 50) << "a picture, not a plain fill";
}

} // namespace
} // namespace strumvale::app
