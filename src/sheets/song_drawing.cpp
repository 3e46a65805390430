#include "sheets/song_drawing.h"

#include "sheets/diagram_rows.h"
#include "sheets/sheet_document.h"
#include "sheets/song_line_layout.h"

#include <QPainter>
#include <algorithm>

namespace strumvale::sheets {

namespace {

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool isNamedKind(const std::string& kind) {
    return kind == "verse" || kind == "chorus" || kind == "bridge";
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
        caption = isNamedKind(section.kind)
                      ? fromUtf8(section.label)
                      : caption + QStringLiteral(": ") + fromUtf8(section.label);
    return caption;
}

bool isComment(const std::string& name) {
    return name == "comment" || name == "comment_italic" || name == "comment_box" ||
           name == "highlight";
}

bool isAnnotation(const QString& chord) {
    return chord.isEmpty() || chord.startsWith(QLatin1Char('*'));
}

QString spokenLine(const model::SongLine& line) {
    std::vector<model::SongChord> chords = line.chords;
    std::stable_sort(chords.begin(), chords.end(),
                     [](const auto& a, const auto& b) { return a.at < b.at; });
    std::string spoken;
    std::size_t from = 0;
    for (const model::SongChord& chord : chords) {
        const std::size_t at = std::clamp(chord.at, from, line.text.size());
        spoken.append(line.text, from, at - from).append("[").append(chord.name).append("]");
        from = at;
    }
    spoken.append(line.text, from);
    return fromUtf8(spoken);
}

struct SectionFonts {
    QFont chord;
    QFont word;
    QFont comment;
    QFont block;
};

void addLyricLine(SheetDocument& sheet, const model::SongLine& line, const SectionFonts& fonts,
                  qreal indent, DrawnSections& drawn) {
    const QFontMetricsF chordMetrics = sheet.metrics(fonts.chord);
    const QFontMetricsF wordMetrics = sheet.metrics(fonts.word);
    const LyricLineLayout layout = layOutLyricLine(line, chordMetrics, wordMetrics);
    const qreal chordAscent = chordMetrics.ascent(), wordAscent = wordMetrics.ascent();
    const qreal chordHeight = layout.chords.empty() ? 0 : sheet.lineHeight(fonts.chord);
    const bool hasWords = !layout.words.empty();
    const qreal height =
        chordHeight + (hasWords || layout.chords.empty() ? sheet.lineHeight(fonts.word) : 0);
    const std::size_t block = sheet.blockCount();
    for (const PlacedText& chord : layout.chords) {
        if (!isAnnotation(chord.text))
            drawn.chords.push_back(
                {block, QRectF(indent + chord.x, 0, chordMetrics.horizontalAdvance(chord.text),
                               chordHeight)});
    }
    drawn.lines.push_back({block, spokenLine(line)});
    drawn.width = std::max(drawn.width, indent + layout.width);
    sheet.add(height, [=, chordFont = fonts.chord, wordFont = fonts.word](QPainter& painter,
                                                                          const QRectF& area) {
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

QString songDetailsLine(const model::Song& song, const Translate& translate) {
    QStringList parts;
    const std::pair<const char*, std::string_view> shown[] = {
        {"artist", "Artist"}, {"key", "Key"}, {"capo", "Capo"}, {"tempo", "Tempo"}};
    for (auto [name, caption] : shown) {
        if (auto value = song.meta(name); value && !value->empty())
            parts << translate(caption) + QStringLiteral(": ") + fromUtf8(*value);
    }
    return parts.join(QStringLiteral("   "));
}

void addSongHeading(SheetDocument& sheet, const model::Song& song, const QString& fallbackTitle,
                    const Translate& translate) {
    const std::optional<std::string> title = song.meta("title");
    sheet.addText(title && !title->empty() ? fromUtf8(*title) : fallbackTitle,
                  sheet.font(18, true));
    if (auto subtitle = song.meta("subtitle"))
        sheet.addText(fromUtf8(*subtitle), sheet.font(12));
    if (const QString meta = songDetailsLine(song, translate); !meta.isEmpty())
        sheet.addText(meta, sheet.font(10));
}

void addSongDiagrams(SheetDocument& sheet, const std::vector<model::Chord>& shapes,
                     const Translate& translate) {
    if (shapes.empty())
        return;
    sheet.addHeading(translate("Chords"), 13);
    addDiagramRows(sheet, shapes);
}

DrawnSections addSongSections(SheetDocument& sheet, const model::Song& song,
                              const Translate& translate, qreal lyricPoints) {
    const qreal scale = lyricPoints / kPrintedLyricPoints;
    SectionFonts fonts{sheet.font(10 * scale, true), sheet.font(11 * scale), sheet.font(10 * scale),
                       sheet.font(9 * scale)};
    fonts.comment.setItalic(true);
    fonts.block.setFamily(QStringLiteral("Monospace"));
    fonts.block.setStyleHint(QFont::Monospace);
    DrawnSections drawn;
    for (const model::SheetSection& section : model::sheetOf(song)) {
        // A chorus stands indented, set apart from the verses.
        const qreal indent = section.kind == "chorus" ? sheet.points(18 * scale) : 0;
        sheet.addSpace(sheet.points(6 * scale));
        if (!section.kind.empty())
            sheet.addHeading(sectionCaption(section, translate), 11 * scale);
        for (const model::SongLine* line : section.lines) {
            switch (line->kind) {
            case model::SongLine::Kind::Lyrics:
                addLyricLine(sheet, *line, fonts, indent, drawn);
                break;
            case model::SongLine::Kind::Blank:
                sheet.addSpace(sheet.lineHeight(fonts.word) / 2);
                break;
            case model::SongLine::Kind::Block:
                sheet.addText(fromUtf8(line->text), fonts.block);
                break;
            case model::SongLine::Kind::Directive:
                if (isComment(line->name))
                    sheet.addText(fromUtf8(line->argument), fonts.comment);
                break;
            case model::SongLine::Kind::Remark:
                break;
            }
        }
    }
    return drawn;
}

} // namespace strumvale::sheets
