#include "sheets/diagram_rows.h"
#include "sheets/sheet_document.h"
#include "sheets/sheets.h"
#include "sheets/song_line_layout.h"

#include <QPainter>

namespace strumvale::sheets {

namespace {

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// "Verse", "Chorus", "Bridge" in the user's language; another kind as the
// file names it.
QString sectionCaption(const model::SheetSection& section, const Translate& translate) {
    QString caption;
    if (section.kind == "verse")
        caption = translate("Verse");
    else if (section.kind == "chorus")
        caption = translate("Chorus");
    else if (section.kind == "bridge")
        caption = translate("Bridge");
    else {
        caption = fromUtf8(section.kind);
        if (!caption.isEmpty())
            caption[0] = caption[0].toUpper();
    }
    if (!section.label.empty())
        caption = section.kind == "verse" || section.kind == "chorus" || section.kind == "bridge"
                      ? fromUtf8(section.label)
                      : caption + QStringLiteral(": ") + fromUtf8(section.label);
    return caption;
}

QString metadataLine(const model::Song& song, const Translate& translate) {
    QStringList parts;
    const std::pair<const char*, std::string_view> shown[] = {
        {"artist", "Artist"}, {"key", "Key"}, {"capo", "Capo"}, {"tempo", "Tempo"}};
    for (auto [name, caption] : shown) {
        if (auto value = song.meta(name); value && !value->empty())
            parts << translate(caption) + QStringLiteral(": ") + fromUtf8(*value);
    }
    return parts.join(QStringLiteral("   "));
}

bool isComment(const std::string& name) {
    return name == "comment" || name == "comment_italic" || name == "comment_box" ||
           name == "highlight";
}

void addLyricLine(SheetDocument& sheet, const model::SongLine& line, const QFont& chordFont,
                  const QFont& wordFont, qreal indent) {
    const QFontMetricsF chordMetrics = sheet.metrics(chordFont);
    const QFontMetricsF wordMetrics = sheet.metrics(wordFont);
    const LyricLineLayout layout = layOutLyricLine(line, chordMetrics, wordMetrics);
    const qreal chordAscent = chordMetrics.ascent(), wordAscent = wordMetrics.ascent();
    const qreal chordHeight = layout.chords.empty() ? 0 : sheet.lineHeight(chordFont);
    const bool hasWords = !layout.words.empty();
    const qreal height =
        chordHeight + (hasWords || layout.chords.empty() ? sheet.lineHeight(wordFont) : 0);
    sheet.add(height, [=](QPainter& painter, const QRectF& area) {
        painter.setPen(Qt::black);
        painter.setFont(chordFont);
        for (const PlacedText& chord : layout.chords)
            painter.drawText(QPointF(area.left() + indent + chord.x, area.top() + chordAscent),
                             chord.text);
        painter.setFont(wordFont);
        for (const PlacedText& words : layout.words)
            painter.drawText(
                QPointF(area.left() + indent + words.x, area.top() + chordHeight + wordAscent),
                words.text);
    });
}

} // namespace

bool printSongSheet(QPagedPaintDevice& device, const model::Song& song,
                    const std::vector<model::Chord>& shapes, const QString& fallbackTitle,
                    const Translate& translate) {
    SheetDocument sheet(device);
    const std::optional<std::string> title = song.meta("title");
    sheet.addText(title && !title->empty() ? fromUtf8(*title) : fallbackTitle,
                  sheet.font(18, true));
    if (auto subtitle = song.meta("subtitle"))
        sheet.addText(fromUtf8(*subtitle), sheet.font(12));
    if (const QString meta = metadataLine(song, translate); !meta.isEmpty())
        sheet.addText(meta, sheet.font(10));
    if (!shapes.empty()) {
        sheet.addHeading(translate("Chords"), 13);
        addDiagramRows(sheet, shapes);
    }
    const QFont chordFont = sheet.font(10, true);
    const QFont wordFont = sheet.font(11);
    QFont commentFont = sheet.font(10);
    commentFont.setItalic(true);
    QFont blockFont = sheet.font(9);
    blockFont.setFamily(QStringLiteral("Monospace"));
    blockFont.setStyleHint(QFont::Monospace);
    for (const model::SheetSection& section : model::sheetOf(song)) {
        const bool chorus = section.kind == "chorus";
        // A chorus stands indented, set apart from the verses.
        const qreal indent = chorus ? sheet.points(18) : 0;
        sheet.addSpace(sheet.points(6));
        if (!section.kind.empty())
            sheet.addHeading(sectionCaption(section, translate), 11);
        for (const model::SongLine* line : section.lines) {
            switch (line->kind) {
            case model::SongLine::Kind::Lyrics:
                addLyricLine(sheet, *line, chordFont, wordFont, indent);
                break;
            case model::SongLine::Kind::Blank:
                sheet.addSpace(sheet.lineHeight(wordFont) / 2);
                break;
            case model::SongLine::Kind::Block:
                sheet.addText(fromUtf8(line->text), blockFont);
                break;
            case model::SongLine::Kind::Directive:
                if (isComment(line->name))
                    sheet.addText(fromUtf8(line->argument), commentFont);
                break;
            case model::SongLine::Kind::Remark:
                break;
            }
        }
    }
    return sheet.print();
}

} // namespace strumvale::sheets
