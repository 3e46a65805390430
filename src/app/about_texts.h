#pragma once

#include <QString>
#include <span>
#include <string_view>

namespace strumvale::app::about {

inline constexpr std::string_view kProgramName = "Strumvale";
inline constexpr std::string_view kNoticeLine = "Strumvale - guitar chords, scales and tunings";
inline constexpr std::string_view kVersion = "4.0.0.beta1 - Feb 22 2004";

inline constexpr std::string_view kWebPage = "https://strumvale.example.org/";
inline constexpr std::string_view kSupportAddress = "support@strumvale.example.org";
inline constexpr std::string_view kSupportTarget = "mailto:support@strumvale.example.org";
inline constexpr std::string_view kUpdatePage = "https://strumvale.example.org/update";

// One library the program is built on, with its own copyright and licence lines.
struct Credit {
    std::string_view name;
    std::span<const std::string_view> notice;
};

std::span<const Credit> credits();

// "Credits:", an empty line, then one block per library, lines ending CR LF.
QString creditsText();

// The notice line and the version, on two lines joined by CR LF.
QString noticeText();

} // namespace strumvale::app::about
