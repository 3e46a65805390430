#include "app_fixture.h"
#include "fretboard/fretboard_view.h"
#include "fretboard/staff_view.h"
#include "pages/pattern_grid_editor.h"
#include "pages/playlist_page.h"
#include "pages/tuning_meter.h"
#include "practice/chord_diagram_view.h"
#include "practice/progress_plot.h"
#include "resources/templates/playlist_page.h"
#include "songs/sheet_column_view.h"
#include "support/dark_palette.h"
#include "window_walk.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>

namespace strumvale::test {
namespace {

// The drawings that had a light background of their own.
bool isDrawnView(QWidget* widget) {
    return dynamic_cast<fretboard::FretboardView*>(widget) != nullptr ||
           dynamic_cast<fretboard::StaffView*>(widget) != nullptr ||
           dynamic_cast<pages::PatternGridEditor*>(widget) != nullptr ||
           dynamic_cast<songs::SheetColumnView*>(widget) != nullptr;
}

// What a reader must tell from its background in a control: its text (4.5:1)
// or, in a drawing, its lines and marks (3:1); 0 for what holds neither.
double contrastNeeded(QWidget* widget) {
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text().trimmed().isEmpty() ? 0 : kTextContrast;
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return button->text().trimmed().isEmpty() ? 0 : kTextContrast;
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        return edit->text().trimmed().isEmpty() ? 0 : kTextContrast;
    if (auto* edit = qobject_cast<QPlainTextEdit*>(widget))
        return edit->toPlainText().trimmed().isEmpty() ? 0 : kTextContrast;
    if (auto* box = qobject_cast<QComboBox*>(widget))
        return box->currentText().trimmed().isEmpty() ? 0 : kTextContrast;
    if (qobject_cast<QAbstractSpinBox*>(widget) != nullptr ||
        qobject_cast<QTabBar*>(widget) != nullptr ||
        dynamic_cast<songs::SheetColumnView*>(widget) != nullptr)
        return kTextContrast;
    if (auto* list = qobject_cast<QAbstractItemView*>(widget))
        return list->model() != nullptr && list->model()->rowCount() > 0 ? kTextContrast : 0;
    if (isDrawnView(widget) || dynamic_cast<pages::TuningMeter*>(widget) != nullptr ||
        dynamic_cast<practice::ChordDiagramView*>(widget) != nullptr ||
        dynamic_cast<practice::ProgressPlot*>(widget) != nullptr)
        return kGraphicsContrast;
    return 0;
}

// The colour most of the area's pixels have: what its text is drawn on.
QColor mostCommonColour(const QImage& image, const QRect& area) {
    QHash<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb most = 0;
    int count = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > count) {
            most = it.key();
            count = it.value();
        }
    }
    return QColor::fromRgb(most);
}

// "where: Class 'name' 1.4:1, needs 4.5:1" for each shown, enabled control of
// the window whose text or drawing does not stand out from its background as
// it appears on the screen, and for each drawn view left light on a dark
// desktop. A walk that checked nothing is reported too.
QStringList illegibleParts(QWidget& window, const QString& where) {
    QStringList found;
    const QImage shot = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    int checked = 0;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&window) || !widget->isEnabled())
            continue;
        const double needed = contrastNeeded(widget);
        if (needed == 0)
            continue;
        const QRect area =
            QRect(widget->mapTo(&window, QPoint(0, 0)), widget->size()).intersected(shot.rect());
        if (area.isEmpty())
            continue;
        ++checked;
        const QColor background = mostCommonColour(shot, area);
        const double contrast = bestContrastIn(shot, area, background);
        const QString name = where + QStringLiteral(": ") +
                             QString::fromLatin1(widget->metaObject()->className()) +
                             QStringLiteral(" '") + widget->objectName() + QStringLiteral("' ");
        if (contrast < needed)
            found << name + QStringLiteral("%1:1, needs %2:1").arg(contrast, 0, 'f', 1).arg(needed);
        if (isDrawnView(widget) && !uikit::isDark(background))
            found << name + QStringLiteral("left light: ") + background.name();
    }
    if (checked == 0)
        found << where + QStringLiteral(": nothing checked");
    return found;
}

class DarkDesktop : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        QApplication::setPalette(darkPalette());
        writeChordfileWithABeat("default.gtr");
    }
    void TearDown() override {
        AppTest::TearDown();
        QApplication::setPalette(light_);
    }

    const QPalette light_ = QApplication::palette();
};

// Every window under a dark desktop palette, as the user sees it on the
// screen: the neck, staff, drum grid, meter, sheets and diagrams on the
// palette's background, every caption, link and drawing readable on it.
TEST_F(DarkDesktop, EveryWindowIsReadableOnADarkPalette) {
    app::MainDialog& main = start();
    // The staff with chords in it, one of them sounding.
    pages::PlaylistPage& playlist = main.pageTabs().playlistPage();
    uikit::control<QPushButton>(playlist, resources::PlaylistId::Add)->click();
    uikit::control<QPushButton>(playlist, resources::PlaylistId::AddSeparator)->click();
    playlist.staffView().setPlayingColumn(0);

    QStringList found;
    walkWindows(main, dir.file("Vårvisa 🎸.cho"), [&](QWidget& window, const QString& where) {
        found += illegibleParts(window, where);
    });
    EXPECT_TRUE(found.isEmpty()) << found.join(QLatin1Char('\n')).toStdString();
}

} // namespace
} // namespace strumvale::test
