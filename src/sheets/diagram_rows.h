#pragma once

#include "model/records.h"

#include <QtGlobal>
#include <vector>

namespace strumvale::sheets {

class SheetDocument;

// Chords as rows of diagrams across the sheet, each with its name above and
// its tab below; a row is never cut between pages. A tab the neck cannot
// hold gets its name and its text, and no diagram.
void addDiagramRows(SheetDocument& sheet, const std::vector<model::Chord>& chords);

// The width each diagram takes in a row.
qreal diagramCellWidth(const SheetDocument& sheet);

} // namespace strumvale::sheets
