#include "model/names.h"
#include "sheets/diagram_rows.h"
#include "sheets/sheet_document.h"
#include "sheets/sheets.h"
#include "uikit/text.h"

#include <QFileInfo>

namespace strumvale::sheets {
namespace {

void addTitleBlock(SheetDocument& sheet, const model::ChordDocument& chordfile,
                   const Translate& translate) {
    const QString name = QFileInfo(uikit::toQString(chordfile.FileName)).completeBaseName();
    const QString title = name.isEmpty() ? translate("New Chordfile") : name;
    sheet.addText(title, sheet.font(18, true));
    sheet.addSpace(sheet.points(6));
    const QFont body = sheet.font(10);
    sheet.addText(translate("Author") + QStringLiteral(": ") + uikit::toQString(chordfile.Author),
                  body);
    sheet.addText(
        translate("Homepage") + QStringLiteral(": ") + uikit::toQString(chordfile.Homepage), body);
    if (!chordfile.Info.empty()) {
        sheet.addSpace(sheet.points(6));
        sheet.addText(uikit::toDisplayText(chordfile.Info), body);
    }
}

void addChords(SheetDocument& sheet, const model::ChordDocument& chordfile,
               const Translate& translate) {
    for (std::string_view key : model::kChordRootNames) {
        model::ValueList<model::Chord> chords;
        chordfile.ChordsOfKey(key, chords);
        if (chords.Count() == 0)
            continue;
        sheet.addHeading(translate("Key") + QStringLiteral(" ") + uikit::toQString(key), 13);
        addDiagramRows(sheet, chords.items());
    }
}

void addScales(SheetDocument& sheet, const model::ChordDocument& chordfile,
               const Translate& translate) {
    if (chordfile.Scales.Count() == 0)
        return;
    sheet.addHeading(translate("Scales"), 13);
    const QFont body = sheet.font(10);
    for (const model::Scale& scale : chordfile.Scales.items()) {
        sheet.addHeading(uikit::toQString(scale.Name), 11);
        sheet.addText(translate("Intervals") + QStringLiteral(": ") +
                          uikit::toQString(scale.Intervals()),
                      body);
        sheet.addText(translate("Notes") + QStringLiteral(": ") + uikit::toQString(scale.Notes()),
                      body);
        // The description's ';' parts are its lines, as the Scales page shows them.
        sheet.addText(
            translate("Description") + QStringLiteral(": ") +
                uikit::toQString(scale.Description).replace(QLatin1Char(';'), QLatin1Char('\n')),
            body);
    }
}

} // namespace

bool printChordfileSheet(QPagedPaintDevice& device, const model::ChordDocument& chordfile,
                         const Translate& translate) {
    SheetDocument sheet(device);
    addTitleBlock(sheet, chordfile, translate);
    addChords(sheet, chordfile, translate);
    addScales(sheet, chordfile, translate);
    return sheet.print();
}

} // namespace strumvale::sheets
