#include "formats/practice_log.h"

#include "formats/text_numbers.h"
#include "formats/xml_fields.h"
#include "platform/file.h"
#include "platform/file_error.h"
#include "xml/xml_document.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <system_error>

namespace strumvale::formats {
namespace {

constexpr const char* kRoot = "Practicelog";
constexpr const char* kRecord = "Record";
constexpr const char* kDate = "Date";
constexpr const char* kChord = "Chord";
constexpr const char* kChangesPerMinute = "Changesperminute";
constexpr const char* kTempo = "Tempo";
constexpr const char* kSeconds = "Seconds";
// Far beyond any hand: a value above it is no result but damage.
constexpr double kMostChangesPerMinute = 1000;

bool isDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (i != 4 && i != 7 && (text[i] < '0' || text[i] > '9'))
            return false;
    const int month = (text[5] - '0') * 10 + (text[6] - '0');
    const int day = (text[8] - '0') * 10 + (text[9] - '0');
    return month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

std::optional<double> decimalOf(std::string_view text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        !std::isfinite(value))
        return std::nullopt;
    return value;
}

// The record the cursor stands in, or none when a field is missing or wrong.
std::optional<model::PracticeRecord> readRecord(xml::XmlDocument& document) {
    model::PracticeRecord record;
    std::string text;
    if (!readChild(document, kDate, text) || !isDate(text))
        return std::nullopt;
    record.date = text;
    while (readChild(document, kChord, text)) {
        if (text.empty())
            return std::nullopt;
        record.chords.push_back(text);
    }
    if (record.chords.size() < 2)
        return std::nullopt;
    if (!readChild(document, kChangesPerMinute, text))
        return std::nullopt;
    const std::optional<double> rate = decimalOf(text);
    if (!rate || *rate < 0 || *rate > kMostChangesPerMinute)
        return std::nullopt;
    record.changesPerMinute = *rate;
    if (readChild(document, kTempo, text))
        record.tempo = std::max(0, leadingInteger(text));
    if (readChild(document, kSeconds, text))
        record.seconds = std::max(0, leadingInteger(text));
    return record;
}

std::string oneDecimal(double value) {
    char text[32];
    const int length = std::snprintf(text, sizeof text, "%.1f", value);
    return std::string(text, static_cast<std::size_t>(std::max(0, length)));
}

} // namespace

PracticeLogRead readPracticeLog(const std::string& path) {
    PracticeLogRead read;
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return read;
    read.state = PracticeLogRead::State::Damaged;
    xml::XmlDocument document;
    if (!document.LoadFile(path) || !document.IsWellFormed() || !document.FindElement(kRoot))
        return read;
    while (document.FindChildElement(kRecord)) {
        document.IntoElement();
        const std::optional<model::PracticeRecord> record = readRecord(document);
        document.OutOfElement();
        if (record)
            read.records.push_back(*record);
        else
            ++read.unreadable;
    }
    if (read.unreadable == 0)
        read.state = PracticeLogRead::State::Read;
    return read;
}

std::string practiceLogText(const std::vector<model::PracticeRecord>& records) {
    xml::XmlDocument document;
    document.AddElement(kRoot);
    for (const model::PracticeRecord& record : records) {
        beginSection(document, kRecord);
        document.AddChildElement(kDate, record.date);
        for (const std::string& chord : record.chords)
            document.AddChildElement(kChord, chord);
        document.AddChildElement(kChangesPerMinute, oneDecimal(record.changesPerMinute));
        document.AddChildElement(kTempo, decimalText(record.tempo));
        document.AddChildElement(kSeconds, decimalText(record.seconds));
        document.OutOfElement();
    }
    return document.GetText();
}

void writePracticeLog(const std::string& path, const std::vector<model::PracticeRecord>& records) {
    platform::replaceFile(path, practiceLogText(records));
}

std::string keepDamagedLog(const std::string& path) {
    const std::filesystem::path log(path);
    const std::string stem = log.stem().string();
    for (int copy = 1;; ++copy) {
        const std::string suffix = copy == 1 ? ".damaged" : ".damaged-" + std::to_string(copy);
        const std::filesystem::path kept = log.parent_path() / (stem + suffix + ".xml");
        std::error_code error;
        if (std::filesystem::exists(kept, error))
            continue;
        std::filesystem::copy_file(log, kept, error);
        if (error)
            throw platform::FileError(kept.string(), error.message());
        return kept.string();
    }
}

} // namespace strumvale::formats
