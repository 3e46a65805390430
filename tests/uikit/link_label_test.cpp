#include "support/modal_seams.h"
#include "support/temp_dir.h"
#include "uikit/link_label.h"
#include "uikit/message_box.h"
#include "uikit/open_target.h"

#include <QCoreApplication>
#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QMouseEvent>
#include <QThread>
#include <QWidget>
#include <fstream>
#include <gtest/gtest.h>
#include <vector>

namespace strumvale::uikit {
namespace {

// A link whose idea of the mouse position the test decides.
class SteeredLink : public LinkLabel {
public:
    using LinkLabel::LinkLabel;
    QPoint mouse{-50, -50};

protected:
    QPoint cursorPosition() const override { return mouse; }
};

void send(QWidget& widget, QEvent::Type type, QPoint at, Qt::MouseButton button) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? button : Qt::NoButton;
    QMouseEvent event(type, QPointF(at), widget.mapToGlobal(QPointF(at)), button, held,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &event);
}

void moveOver(QWidget& widget) {
    send(widget, QEvent::MouseMove, {3, 3}, Qt::NoButton);
}

void click(QWidget& widget) {
    send(widget, QEvent::MouseButtonPress, {3, 3}, Qt::LeftButton);
    send(widget, QEvent::MouseButtonRelease, {3, 3}, Qt::LeftButton);
}

// How close the drawn link comes to a colour: the smallest largest-channel
// difference over all its pixels.
int closestTo(QWidget& widget, QColor colour) {
    const QImage image = widget.grab().toImage();
    int best = 255;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            const int difference = std::max({std::abs(pixel.red() - colour.red()),
                                             std::abs(pixel.green() - colour.green()),
                                             std::abs(pixel.blue() - colour.blue())});
            best = std::min(best, difference);
        }
    }
    return best;
}

// Opens nothing real: the shell answers what the test says, messages are
// recorded, and $BROWSER is out of the way unless a test sets it.
class LinkLabelTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedBrowser_ = qgetenv("BROWSER");
        hadBrowser_ = qEnvironmentVariableIsSet("BROWSER");
        qunsetenv("BROWSER");
        setShellOpenHandler([this](const QString& target) {
            opened.push_back(target);
            return shellResult;
        });
        window.resize(400, 100);
    }
    void TearDown() override {
        setShellOpenHandler({});
        if (hadBrowser_) {
            qputenv("BROWSER", savedBrowser_);
        } else {
            qunsetenv("BROWSER");
        }
    }

    QWidget window;
    int shellResult = kOpenSucceeded;
    std::vector<QString> opened;
    test::ModalSeams modal;
    std::vector<test::ModalSeams::Shown>& messages = modal.shown;

private:
    QByteArray savedBrowser_;
    bool hadBrowser_ = false;
};

TEST_F(LinkLabelTest, TargetTextAndTooltipFollowEachOther) {
    LinkLabel fromText(QStringLiteral("https://a.example/"), &window);
    EXPECT_EQ(fromText.linkTarget(), QStringLiteral("https://a.example/"));
    EXPECT_EQ(fromText.toolTip(), QStringLiteral("https://a.example/"));
    EXPECT_EQ(fromText.cursor().shape(), Qt::PointingHandCursor);

    LinkLabel fromTarget(QString(), &window);
    fromTarget.setLinkTarget(QStringLiteral("https://b.example/"));
    EXPECT_EQ(fromTarget.text(), QStringLiteral("https://b.example/")) << "shows its target";

    LinkLabel mail(QStringLiteral("help@b.example"), &window);
    mail.setLinkTarget(QStringLiteral("mailto:help@b.example"));
    EXPECT_EQ(mail.text(), QStringLiteral("help@b.example")) << "keeps its own text";
    EXPECT_EQ(mail.toolTip(), QStringLiteral("mailto:help@b.example"));
    click(mail);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QStringLiteral("mailto:help@b.example"));
}

TEST_F(LinkLabelTest, FailedOpenExplainsWhyWithTheShellReason) {
    LinkLabel link(QStringLiteral("https://a.example/"), &window);
    const std::pair<int, QString> cases[] = {
        {26, QStringLiteral("A sharing violation occurred. ")},
        {2, QStringLiteral("The specified file was not found.")},
        {31, QStringLiteral("There is no application associated\nwith the given filename "
                            "extension.")},
        {19, QStringLiteral("Unknown Error (19) occurred.")},
    };
    for (const auto& [code, reason] : cases) {
        messages.clear();
        shellResult = code;
        click(link);
        ASSERT_EQ(messages.size(), 1u) << code;
        EXPECT_EQ(messages[0].message.text,
                  QStringLiteral("Unable to open hyperlink:\n\n") + reason);
        EXPECT_EQ(messages[0].message.caption, QStringLiteral("Strumvale"));
        EXPECT_EQ(messages[0].message.icon, MessageIcon::Exclamation);
        EXPECT_EQ(messages[0].message.buttons, MessageButtons::Ok);
        EXPECT_FALSE(link.isVisited());
    }
    EXPECT_EQ(
        LinkLabel::openErrorText(0),
        QStringLiteral(
            "Unable to open hyperlink:\n\nThe operating system is out\nof memory or resources."));
}

TEST_F(LinkLabelTest, OpenedLinkLooksVisitedUntilAnOpenFails) {
    LinkLabel link(QStringLiteral("https://a.example/"), &window);
    link.setUnderlineMode(LinkLabel::kAlwaysUnderlined);
    EXPECT_LT(closestTo(link, LinkLabel::kLinkColour), 40);
    EXPECT_GT(closestTo(link, LinkLabel::kVisitedColour), 60);

    click(link);
    EXPECT_TRUE(link.isVisited());
    EXPECT_TRUE(messages.empty());
    EXPECT_LT(closestTo(link, LinkLabel::kVisitedColour), 40);
    EXPECT_GT(closestTo(link, LinkLabel::kLinkColour), 60);

    shellResult = kOpenFileNotFound;
    click(link);
    EXPECT_FALSE(link.isVisited()) << "a failure undoes an earlier visit";
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_LT(closestTo(link, LinkLabel::kLinkColour), 40);
}

TEST_F(LinkLabelTest, EmptyLinkOpensNothing) {
    LinkLabel link(QString(), &window);
    click(link);
    EXPECT_TRUE(opened.empty()) << "the desktop would open the current folder";
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].message.text,
              QStringLiteral("Unable to open hyperlink:\n\nThe specified file was not found."));
}

TEST_F(LinkLabelTest, BrowserCommandOpensWhatTheDesktopCannot) {
    test::TempDir dir;
    const std::string script = dir.file("record.sh");
    const QString record = QString::fromStdString(dir.file("args"));
    {
        std::ofstream out(script);
        out << "printf '%s\\n' \"$@\" > \"$0.part\" && mv \"$0.part\" \"" << record.toStdString()
            << "\"\n";
    }
    // A quoted placeholder is cut at its quote; the target follows one space.
    qputenv("BROWSER", ("sh " + script + " \"%1\"").c_str());
    shellResult = kOpenNoAssociation;

    LinkLabel link(QStringLiteral("https://a.example/page?x=1"), &window);
    click(link);
    EXPECT_TRUE(link.isVisited());
    EXPECT_TRUE(messages.empty());

    for (int wait = 0; wait < 500 && !QFile::exists(record); ++wait)
        QThread::msleep(20);
    QFile file(record);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "the browser command never ran";
    EXPECT_EQ(file.readAll(), QByteArray("https://a.example/page?x=1\n"));
}

TEST_F(LinkLabelTest, HoverColourLastsOnlyWhileTheMouseIsOver) {
    SteeredLink link(QStringLiteral("https://a.example/"), &window);
    link.setGeometry(10, 10, 200, 20);
    moveOver(link);
    EXPECT_TRUE(link.isHovering());
    EXPECT_LT(closestTo(link, LinkLabel::kHoverColour), 40);
    EXPECT_GT(closestTo(link, LinkLabel::kLinkColour), 60);

    link.mouse = QPoint(2, 2);
    link.hoverTick();
    EXPECT_TRUE(link.isHovering()) << "still inside";

    link.mouse = QPoint(2, 40);
    link.hoverTick();
    EXPECT_FALSE(link.isHovering());
    EXPECT_LT(closestTo(link, LinkLabel::kLinkColour), 40);
    EXPECT_GT(closestTo(link, LinkLabel::kHoverColour), 60);
}

TEST_F(LinkLabelTest, UnderlineModes) {
    SteeredLink link(QStringLiteral("https://a.example/"), &window);
    link.setGeometry(10, 10, 200, 20);
    auto underlinedWhileOverAndAfter = [&] {
        moveOver(link);
        const bool over = link.font().underline();
        link.mouse = QPoint(-5, -5);
        link.hoverTick();
        return std::pair(over, link.font().underline());
    };

    EXPECT_FALSE(link.font().underline());
    EXPECT_EQ(underlinedWhileOverAndAfter(), std::pair(true, false)) << "mode -1";

    link.setUnderlineMode(LinkLabel::kAlwaysUnderlined);
    EXPECT_TRUE(link.font().underline());
    EXPECT_EQ(underlinedWhileOverAndAfter(), std::pair(true, true)) << "mode 1";

    QFont larger = window.font();
    larger.setPixelSize(20);
    window.setFont(larger);
    EXPECT_EQ(link.font().pixelSize(), 20) << "follows its window's font";
    EXPECT_TRUE(link.font().underline()) << "and stays underlined";

    link.setUnderlineMode(LinkLabel::kNeverUnderlined);
    EXPECT_FALSE(link.font().underline());
    EXPECT_EQ(underlinedWhileOverAndAfter(), std::pair(false, false)) << "mode 0";
}

TEST_F(LinkLabelTest, SizesItselfToItsTextKeepingItsAlignment) {
    const QString target = QStringLiteral("https://a.example/");
    const auto fit = [&](Qt::Alignment alignment) {
        LinkLabel link(QString(), &window);
        link.setAlignment(alignment | Qt::AlignTop);
        link.setGeometry(100, 20, 300, 40);
        link.setLinkTarget(target);
        return link.geometry();
    };
    QFont underlined = window.font();
    underlined.setUnderline(true);
    const QSize text = QFontMetrics(underlined).size(0, target);
    ASSERT_LT(text.width(), 300);

    const QRect left = fit(Qt::AlignLeft);
    EXPECT_EQ(left, QRect(QPoint(100, 20), text));
    const QRect right = fit(Qt::AlignRight);
    EXPECT_EQ(right.right(), 399);
    EXPECT_EQ(right.size(), text);
    const QRect centred = fit(Qt::AlignHCenter);
    EXPECT_LE(std::abs(centred.center().x() - 249), 1);
    EXPECT_EQ(centred.top(), 20);
    EXPECT_EQ(centred.size(), text);

    LinkLabel fixed(QString(), &window);
    fixed.setAutoSize(false);
    fixed.setGeometry(100, 20, 300, 40);
    fixed.setLinkTarget(target);
    EXPECT_EQ(fixed.geometry(), QRect(100, 20, 300, 40));
}

} // namespace
} // namespace strumvale::uikit
