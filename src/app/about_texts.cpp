#include "app/about_texts.h"

namespace strumvale::app::about {
namespace {

// The program's own licence, which every library below allows.
constexpr std::string_view kStrumvale[] = {
    "Copyright The Strumvale project",
    "License: GPL-3.0-or-later",
};
// As the libraries' own copyright files state them.
constexpr std::string_view kZlib[] = {
    "Copyright 1995-2013 Jean-loup Gailly and Mark Adler",
    "License: Zlib",
};
constexpr std::string_view kQt[] = {
    "Copyright 2016-2022 The Qt Company Ltd.",
    "License: LGPL-3 or GPL-2",
};
constexpr std::string_view kFluidSynth[] = {
    "Copyright 2000-2021, Peter Hanappe and others.",
    "License: LGPL-2.1+",
};
constexpr std::string_view kAlsa[] = {
    "Copyright 1998-2022 Jaroslav Kysela and others",
    "License: LGPL-2.1+",
};
constexpr std::string_view kSoundFont[] = {
    "Copyright 2000-2002, 2008 Frank Wen",
    "Copyright 2008 Toby Smithe",
    "License: MIT",
};

constexpr Credit kCredits[] = {
    {"Strumvale", kStrumvale},
    {"zlib", kZlib},
    {"Qt", kQt},
    {"FluidSynth", kFluidSynth},
    {"ALSA library", kAlsa},
    {"Fluid (R3) General MIDI SoundFont", kSoundFont},
};

QString latin(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

std::span<const Credit> credits() {
    return kCredits;
}

QString creditsText() {
    const QString lineEnd = QStringLiteral("\r\n");
    QString text = QStringLiteral("Credits:") + lineEnd + lineEnd;
    bool first = true;
    for (const Credit& credit : kCredits) {
        if (!first)
            text += lineEnd;
        first = false;
        text += QStringLiteral("- ") + latin(credit.name) + QStringLiteral(" -") + lineEnd;
        for (std::string_view line : credit.notice)
            text += latin(line) + lineEnd;
    }
    return text;
}

QString noticeText() {
    return latin(kNoticeLine) + QStringLiteral("\r\nVersion ") + latin(kVersion);
}

} // namespace strumvale::app::about
