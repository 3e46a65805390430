#include "command.h"
#include "errors.h"
#include "library_access.h"
#include "model/fingering.h"
#include "model/notes.h"
#include "model/settings.h"
#include "model/tuning_notes.h"
#include "platform/wav_file.h"
#include "sound/chord_hearing.h"
#include "theory/chord_naming.h"

#include <cstdio>
#include <string>

namespace gtrtool {

namespace {

using strumvale::sound::StringFinding;

std::string noteName(int midi) {
    return std::string(strumvale::model::noteNameOfMidi(midi));
}

const char* findingWord(StringFinding::Kind kind) {
    switch (kind) {
    case StringFinding::Kind::Sounds:
        return "sounds";
    case StringFinding::Kind::Missing:
        return "missing";
    case StringFinding::Kind::WrongNote:
        return "wrong note";
    case StringFinding::Kind::MutedAsExpected:
        return "muted";
    case StringFinding::Kind::RingsMuted:
        return "rings though muted";
    case StringFinding::Kind::CannotTell:
        return "cannot tell";
    }
    return "";
}

// The note a string's line shows: what rang where something else did, else
// what should ring; "x" for a muted string.
std::string findingNote(const StringFinding& finding) {
    if (finding.heard >= 0)
        return noteName(finding.heard);
    return finding.expected >= 0 ? noteName(finding.expected) : "x";
}

struct HearOptions {
    std::string path;
    std::optional<std::string> expect;
    std::string tuning{strumvale::model::kStandardTuningNotes};
    double a4 = strumvale::sound::kStandardA4;
};

std::optional<HearOptions> hearOptions(const Arguments& arguments) {
    if (arguments.empty())
        return std::nullopt;
    HearOptions options;
    options.path = arguments[0];
    for (std::size_t i = 1; i < arguments.size(); i += 2) {
        if (i + 1 >= arguments.size())
            return std::nullopt;
        const std::string& option = arguments[i];
        const std::string& value = arguments[i + 1];
        if (option == "--expect" && strumvale::model::isValidTab(value)) {
            options.expect = value;
        } else if (option == "--tuning") {
            const std::optional<std::string> tuning = tuningArgument(value);
            if (!tuning)
                return std::nullopt;
            options.tuning = *tuning;
        } else if (option == "--a4") {
            const std::optional<int> hertz =
                numberArgument(value, strumvale::model::kLowestReferencePitch,
                               strumvale::model::kHighestReferencePitch);
            if (!hertz)
                return std::nullopt;
            options.a4 = *hertz;
        } else {
            return std::nullopt;
        }
    }
    return options;
}

} // namespace

int runHear(const Arguments& arguments) {
    const std::optional<HearOptions> options = hearOptions(arguments);
    if (!options)
        return usageError();
    return reportingErrors([&] {
        strumvale::platform::WavAudio audio;
        try {
            audio = strumvale::platform::readWav(options->path);
        } catch (const strumvale::platform::WavError& error) {
            std::fprintf(stderr, "cannot read %s: %s\n", options->path.c_str(), error.what());
            return static_cast<int>(ReadFailed);
        }
        if (options->expect) {
            const auto expected =
                strumvale::sound::expectedStrum(*options->expect, options->tuning);
            if (!expected)
                return usageError();
            const auto verdict = strumvale::sound::checkStrum(audio.samples, audio.sampleRate,
                                                              *expected, options->a4);
            if (!verdict) {
                std::fprintf(stderr, "no strum in %s\n", options->path.c_str());
                return static_cast<int>(ReadFailed);
            }
            std::printf("%s\n", verdict->right ? "right" : "wrong");
            for (const StringFinding& finding : verdict->strings)
                std::printf("%d\t%s\t%s\n", finding.string, findingNote(finding).c_str(),
                            findingWord(finding.kind));
            return static_cast<int>(Success);
        }
        const auto heard =
            strumvale::sound::hearStrum(audio.samples, audio.sampleRate, options->a4);
        if (!heard) {
            std::fprintf(stderr, "no strum in %s\n", options->path.c_str());
            return static_cast<int>(ReadFailed);
        }
        for (const std::string& name : strumvale::theory::nameNotes(heard->notes))
            std::printf("%s\n", name.c_str());
        std::string notes;
        for (int note : heard->notes) {
            if (!notes.empty())
                notes += ' ';
            notes += noteName(note);
        }
        std::printf("notes\t%s\n", notes.c_str());
        return static_cast<int>(Success);
    });
}

} // namespace gtrtool
