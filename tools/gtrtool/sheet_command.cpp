#include "command.h"
#include "errors.h"
#include "formats/chordpro.h"
#include "formats/song_file.h"
#include "library/chord_library.h"
#include "library/song_chords.h"
#include "library/song_shapes.h"
#include "library_access.h"
#include "model/tuning_notes.h"
#include "platform/file.h"
#include "sheets/sheets.h"
#include "theory/song_transposition.h"
#include "uikit/text.h"

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QPdfWriter>
#include <cstdio>
#include <cstdlib>

namespace gtrtool {
namespace {

using strumvale::ChordLibrary;

bool endsWith(const std::string& text, const char* suffix) {
    const std::string tail(suffix);
    if (text.size() < tail.size())
        return false;
    for (std::size_t i = 0; i < tail.size(); ++i) {
        const char c = text[text.size() - tail.size() + i];
        if (std::tolower(static_cast<unsigned char>(c)) != tail[i])
            return false;
    }
    return true;
}

// Drawn into memory and written all at once, so a failure leaves no part of
// a file behind.
int writePdf(const std::string& out, const QString& title,
             const std::function<bool(QPdfWriter&)>& draw) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Strumvale"));
        if (!draw(writer)) {
            std::fprintf(stderr, "cannot draw the sheet\n");
            return FileOrContainerError;
        }
    }
    const QByteArray& bytes = buffer.data();
    strumvale::platform::replaceFile(out, std::string_view(bytes.constData(), bytes.size()));
    return Success;
}

} // namespace

int runSheet(const Arguments& arguments) {
    std::string chordfile;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--chordfile" && i + 1 < arguments.size())
            chordfile = arguments[++i];
        else
            files.push_back(arguments[i]);
    }
    const bool isChordfile = files.size() == 2 && endsWith(files[0], ".gtr");
    const bool isPlaylist =
        files.size() == 2 && (endsWith(files[0], ".cho") || endsWith(files[0], ".chopro"));
    if (!isChordfile && !isPlaylist)
        return usageError();

    // A sheet needs fonts but no screen.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int argc = 1;
    char name[] = "gtrtool";
    char* argv[] = {name, nullptr};
    QGuiApplication application(argc, argv);

    return reportingErrors([&] {
        ChordLibrary library;
        library.LoadLanguage("English (Built-in)");
        const strumvale::sheets::Translate translate = [&](std::string_view key) {
            return strumvale::uikit::toQString(library.Translate(key)).trimmed();
        };
        if (isChordfile) {
            if (!loadChordfileOrReport(library, files[0]))
                return static_cast<int>(ReadFailed);
            return writePdf(files[1], QString(), [&](QPdfWriter& writer) {
                return strumvale::sheets::printChordfileSheet(writer, library, translate);
            });
        }
        if (!chordfile.empty() && !loadChordfileOrReport(library, chordfile))
            return static_cast<int>(ReadFailed);
        const QString fileTitle =
            strumvale::uikit::fromSystem(strumvale::formats::playlistTitle(files[0]));
        std::string bytes;
        if (!strumvale::platform::readWholeFile(files[0], bytes)) {
            std::fprintf(stderr, "cannot read %s\n", files[0].c_str());
            return static_cast<int>(ReadFailed);
        }
        try {
            if (strumvale::formats::isOwnPlaylistFile(bytes)) {
                const strumvale::model::Playlist playlist = strumvale::formats::readChordPro(
                    bytes, {strumvale::library::songChordLookup(library.Chords.items())});
                return writePdf(files[1], fileTitle, [&](QPdfWriter& writer) {
                    return strumvale::sheets::printPlaylistSheet(writer, playlist, fileTitle,
                                                                 translate);
                });
            }
            // A song from elsewhere prints whole, as the song window shows it.
            const strumvale::model::Song song = strumvale::theory::withTranspositionsApplied(
                strumvale::formats::readSongs(bytes).front());
            const auto diagrams = strumvale::library::songDiagrams(strumvale::library::songShapes(
                song, library.Chords.items(), strumvale::model::kStandardTuningNotes));
            return writePdf(files[1], fileTitle, [&](QPdfWriter& writer) {
                return strumvale::sheets::printSongSheet(writer, song, diagrams, fileTitle,
                                                         translate);
            });
        } catch (const strumvale::formats::ChordProError& error) {
            std::fprintf(stderr, "cannot read %s: %s\n", files[0].c_str(), error.what());
            return static_cast<int>(ReadFailed);
        }
    });
}

} // namespace gtrtool
