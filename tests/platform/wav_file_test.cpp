#include "platform/file.h"
#include "platform/file_error.h"
#include "platform/wav_file.h"
#include "support/temp_dir.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <limits>
#include <optional>

using namespace strumvale::platform;
using strumvale::test::TempDir;
using Samples = std::vector<float>;

namespace {

std::string le16(std::uint32_t value) {
    return {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)};
}

std::string le32(std::uint32_t value) {
    return le16(value & 0xFFFF) + le16(value >> 16);
}

std::string floatBytes(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return le32(bits);
}

// A chunk as a writer lays it out; declared stands in for a size that lies.
std::string chunk(const std::string& id, const std::string& body,
                  std::optional<std::uint32_t> declared = std::nullopt) {
    std::string bytes =
        id + le32(declared.value_or(static_cast<std::uint32_t>(body.size()))) + body;
    if (body.size() % 2 != 0)
        bytes += '\0';
    return bytes;
}

std::string riff(const std::string& chunks) {
    return "RIFF" + le32(static_cast<std::uint32_t>(4 + chunks.size())) + "WAVE" + chunks;
}

std::string format(std::uint16_t code, std::uint16_t channels, std::uint32_t rate,
                   std::uint16_t bits) {
    const std::uint32_t align = channels * bits / 8u;
    return le16(code) + le16(channels) + le32(rate) + le32(rate * align) + le16(align) + le16(bits);
}

const std::string kSubformatTail("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 14);

std::string extensible(std::uint16_t subformat, std::uint16_t channels, std::uint32_t rate,
                       std::uint16_t bits) {
    return format(0xFFFE, channels, rate, bits) + le16(22) + le16(bits) + le32(channels) +
           le16(subformat) + kSubformatTail;
}

std::string wav(const std::string& formatBody, const std::string& data) {
    return riff(chunk("fmt ", formatBody) + chunk("data", data));
}

std::string bytes(std::initializer_list<int> values) {
    std::string out;
    for (int value : values)
        out += static_cast<char>(value);
    return out;
}

std::string write(const TempDir& dir, const std::string& name, const std::string& contents) {
    const std::string path = dir.file(name);
    replaceFile(path, contents);
    return path;
}

} // namespace

TEST(WavFile, WrittenSoundReadsBackAtItsRateClippedToFullScale) {
    TempDir dir;
    const std::string path = dir.file("a.wav");
    Samples written;
    for (int k = -300; k < 300; k += 7)
        written.push_back(static_cast<float>(k) / 32768.0f);
    written.insert(written.end(), {1.0f, 1.5f, -1.0f, -3.0f, std::nanf("")});
    writeWav(path, {22050, written});

    const WavAudio read = readWav(path);
    EXPECT_EQ(read.sampleRate, 22050);
    Samples expected(written.begin(), written.end() - 5);
    expected.insert(expected.end(), {32767 / 32768.0f, 32767 / 32768.0f, -1.0f, -1.0f, 0.0f});
    EXPECT_EQ(read.samples, expected);

    EXPECT_THROW(writeWav(path, {0, written}), std::invalid_argument);
    EXPECT_EQ(readWav(path).samples, expected) << "a refused write leaves the file as it was";

    writeWav(path, {8000, {}});
    std::string empty;
    ASSERT_TRUE(readWholeFile(path, empty));
    EXPECT_TRUE(readWav(path).samples.empty());
    EXPECT_TRUE(decodeWav(empty, path).samples.empty());
}

TEST(WavFile, ReadsEveryIntegerAndFloatFormatMixedDownToOne) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        const char* what;
        std::string file;
        int rate;
        Samples samples;
    };
    const Case cases[] = {
        {"8-bit",
         wav(format(1, 1, 8000, 8), bytes({0x00, 0x80, 0xFF, 0xC0})),
         8000,
         {-1.0f, 0.0f, 127 / 128.0f, 0.5f}},
        {"16-bit",
         wav(format(1, 1, 44100, 16), bytes({0x00, 0x80, 0xFF, 0x7F, 0x00, 0x40})),
         44100,
         {-1.0f, 32767 / 32768.0f, 0.5f}},
        {"24-bit",
         wav(format(1, 1, 48000, 24),
             bytes({0x00, 0x00, 0x80, 0xFF, 0xFF, 0x7F, 0x00, 0x00, 0x40, 0xFF, 0xFF, 0xFF})),
         48000,
         {-1.0f, 8388607 / 8388608.0f, 0.5f, -1 / 8388608.0f}},
        {"32-bit",
         wav(format(1, 1, 96000, 32), le32(0x80000000) + le32(0x40000000) + le32(0xC0000000)),
         96000,
         {-1.0f, 0.5f, -0.5f}},
        {"float",
         wav(format(3, 1, 44100, 32), floatBytes(0.25f) + floatBytes(-0.5f) + floatBytes(2.0f) +
                                          floatBytes(nan) + floatBytes(-inf)),
         44100,
         {0.25f, -0.5f, 1.0f, 0.0f, -1.0f}},
        {"extensible 24-bit",
         wav(extensible(1, 1, 48000, 24), bytes({0x00, 0x00, 0xC0})),
         48000,
         {-0.5f}},
        {"extensible float", wav(extensible(3, 1, 32000, 32), floatBytes(-0.75f)), 32000, {-0.75f}},
        {"stereo 16-bit",
         wav(format(1, 2, 44100, 16), bytes({0x00, 0x40, 0x00, 0xE0, 0x00, 0x80, 0x00, 0x80})),
         44100,
         {0.125f, -1.0f}},
        {"four channel 8-bit",
         wav(format(1, 4, 8000, 8), bytes({0xC0, 0xC0, 0x80, 0x00})),
         8000,
         {0.0f}},
        {"extensible stereo 32-bit",
         wav(extensible(1, 2, 48000, 32), le32(0x40000000) + le32(0x20000000)),
         48000,
         {0.375f}},
    };
    TempDir dir;
    for (const Case& c : cases) {
        const WavAudio audio = readWav(write(dir, "format.wav", c.file));
        EXPECT_EQ(audio.sampleRate, c.rate) << c.what;
        EXPECT_EQ(audio.samples, c.samples) << c.what;
    }
}

TEST(WavFile, FindsFormatAndDataAmongOtherChunksInAnyOrder) {
    const std::string frames = bytes({0x00, 0x40, 0x00, 0xC0});
    struct Case {
        const char* what;
        std::string file;
    };
    const Case cases[] = {
        {"odd-sized chunks padded before and between",
         riff(chunk("LIST", "odd") + chunk("fmt ", format(1, 1, 8000, 16)) + chunk("fact", "x") +
              chunk("data", frames))},
        {"data before format", riff(chunk("data", frames) + chunk("fmt ", format(1, 1, 8000, 16)))},
        {"a format chunk longer than usual",
         riff(chunk("fmt ", format(1, 1, 8000, 16) + le16(0) + std::string(10, '\x7F')) +
              chunk("data", frames))},
        {"a wrong RIFF size and an incomplete frame at the end",
         "RIFF" + le32(0) + "WAVE" + chunk("fmt ", format(1, 1, 8000, 16)) +
             chunk("data", frames + "\x01")},
    };
    for (const Case& c : cases) {
        const WavAudio audio = decodeWav(c.file, "mixed.wav");
        EXPECT_EQ(audio.sampleRate, 8000) << c.what;
        EXPECT_EQ(audio.samples, (Samples{0.5f, -0.5f})) << c.what;
    }
}

TEST(WavFile, BadContentGivesWavErrorNamingFileAndReason) {
    const std::string pcm16 = format(1, 1, 44100, 16);
    const std::string frames = bytes({0x00, 0x40});
    std::string shortExtensible = extensible(1, 1, 44100, 16);
    shortExtensible[16] = 10;
    std::string foreignSubformat = extensible(1, 1, 44100, 16);
    foreignSubformat[30] = 0x11;
    std::string zeroAlign = pcm16;
    zeroAlign[12] = 0;
    struct Case {
        const char* what;
        std::string file;
        std::string reason;
    };
    const Case cases[] = {
        {"empty file", "", "not a WAV file"},
        {"RIFF alone", "RIFF", "not a WAV file"},
        {"some other sound file", "ID3\x04" + std::string(40, '\0'), "not a WAV file"},
        {"another RIFF form", "RIFF" + le32(4) + "AVI ", "not a WAV file"},
        {"no chunks", riff(""), "format chunk is missing"},
        {"no format", riff(chunk("data", frames)), "format chunk is missing"},
        {"no data", riff(chunk("fmt ", pcm16)), "sample data is missing"},
        {"data header cut short", riff(chunk("fmt ", pcm16)) + "dat", "sample data is missing"},
        {"short format", riff(chunk("fmt ", pcm16.substr(0, 8)) + chunk("data", frames)),
         "format chunk is cut short"},
        {"format larger than the file", riff(chunk("fmt ", pcm16, 0xFFFFFFF0)),
         "format chunk is cut short"},
        {"no channels", wav(format(1, 0, 44100, 16), frames), "no channels"},
        {"no sample rate", wav(format(1, 1, 0, 16), frames), "unsupported sample rate (0 Hz)"},
        {"absurd sample rate", wav(format(1, 1, 0xFFFFFFFF, 16), frames),
         "unsupported sample rate"},
        {"compressed", wav(format(2, 1, 44100, 4), frames),
         "unsupported sample format (format code 2)"},
        {"12-bit", wav(format(1, 1, 44100, 12), frames),
         "unsupported sample format (12-bit integer)"},
        {"64-bit float", wav(format(3, 1, 44100, 64), std::string(8, '\0')),
         "unsupported sample format (64-bit float)"},
        {"extensible cut short", wav(shortExtensible, frames), "extensible format chunk"},
        {"extensible of another kind", wav(foreignSubformat, frames), "unsupported sample format"},
        {"frame smaller than its samples", wav(zeroAlign, frames), "frame size"},
        {"data larger than the file", riff(chunk("fmt ", pcm16) + chunk("data", frames, 1000)),
         "sample data is cut short"},
        {"data beyond the size limit",
         riff(chunk("fmt ", pcm16) + chunk("data", frames, 0xFFFFFFFF)), "too long"},
    };
    TempDir dir;
    for (const Case& c : cases) {
        const std::string path = write(dir, "bad.wav", c.file);
        for (bool fromFile : {true, false}) {
            try {
                if (fromFile)
                    readWav(path);
                else
                    decodeWav(c.file, path);
                ADD_FAILURE() << c.what << " was read";
            } catch (const WavError& error) {
                EXPECT_NE(error.reason().find(c.reason), std::string::npos)
                    << c.what << ": " << error.what();
                EXPECT_EQ(error.path(), path);
                EXPECT_NE(std::string(error.what()).find(path), std::string::npos);
            }
        }
    }
}

TEST(WavFile, LongSoundIsRefusedBeforeItIsRead) {
    TempDir dir;
    const std::string path = dir.file("long.wav");
    const std::uint32_t dataSize = 70u << 20;
    replaceFile(path, riff(chunk("fmt ", format(1, 1, 44100, 16)) + "data" + le32(dataSize)));
    std::filesystem::resize_file(path, std::filesystem::file_size(path) + dataSize);
    try {
        readWav(path);
        FAIL() << "70 MiB of samples were read";
    } catch (const WavError& error) {
        EXPECT_NE(error.reason().find("too long"), std::string::npos) << error.what();
    }
}

TEST(WavFile, UnreadableFileGivesFileErrorNamingIt) {
    TempDir dir;
    for (const std::string& path : {dir.file("missing.wav"), dir.path()}) {
        try {
            readWav(path);
            ADD_FAILURE() << path << " was read";
        } catch (const FileError& error) {
            EXPECT_EQ(error.path(), path);
        }
    }
}
