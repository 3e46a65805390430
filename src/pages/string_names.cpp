#include "pages/string_names.h"

#include "model/names.h"
#include "model/notes.h"
#include "model/tuning_notes.h"
#include "uikit/text.h"

namespace strumvale::pages {

QString stringName(const std::function<QString(std::string_view key)>& translate, int stringNumber,
                   std::string_view tuningNotes) {
    QString label =
        translate(model::kStringLabels[static_cast<std::size_t>(6 - stringNumber)]).trimmed();
    if (label.endsWith(QLatin1Char(':')))
        label.chop(1);
    const std::string note = model::stripOctave(model::tuningNote(tuningNotes, stringNumber));
    if (note.empty())
        return label;
    // The labels name standard tuning's letter in brackets, in every language.
    const qsizetype open = label.lastIndexOf(QLatin1Char('('));
    const qsizetype close = label.lastIndexOf(QLatin1Char(')'));
    const QString letter = uikit::toQString(note);
    if (open < 0 || close < open)
        return label + QStringLiteral(" (") + letter + QStringLiteral(")");
    return label.left(open + 1) + letter + label.mid(close);
}

} // namespace strumvale::pages
