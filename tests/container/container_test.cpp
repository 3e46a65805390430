#include "archive_bytes.h"
#include "container/container.h"
#include "container/zip_exception.h"
#include "container/zip_records.h"
#include "platform/file_error.h"
#include "support/temp_dir.h"

#include <ctime>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <sys/stat.h>
#include <vector>
#include <zlib.h>

using namespace strumvale;
using container::CZipException;
using test::chordText;
using test::fileBytes;
using test::le;
using test::readError;
using test::setLe;
using test::TempDir;

TEST(Container, SavedArchivesReadBackByteForByte) {
    TempDir dir;
    std::string path = dir.file("lib.gtr");
    std::mt19937 random(7);
    std::string noise(150000, '\0');
    for (char& c : noise)
        c = static_cast<char>(random());
    std::vector<std::string> documents = {
        "",   std::string("a\0b", 3), chordText(65535), chordText(65536), chordText(1'000'003),
        noise};
    for (const auto& document : documents) {
        container::WriteSingleEntry(path, "chords.xml", document);
        std::string buffer = "already here|";
        container::ReadFirstEntry(path, buffer);
        EXPECT_EQ(buffer.size(), 13 + document.size());
        EXPECT_TRUE(buffer == "already here|" + document) << document.size() << " bytes";
    }
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"lib.gtr"}) << "no temporary file is left";
}

TEST(Container, SavedArchiveHasTheDocumentedLayout) {
    TempDir dir;
    std::string path = dir.file("lang.lng");
    std::string document = chordText(5000);
    std::time_t before = std::time(nullptr);
    container::WriteSingleEntry(path, "lang.xml", document);
    std::time_t after = std::time(nullptr);
    std::string zip = fileBytes(path);

    auto crc = static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(document.data()),
                                                static_cast<uInt>(document.size())));
    std::size_t compressed = le(zip, 18, 4);
    std::size_t central = 38 + compressed;
    ASSERT_EQ(zip.size(), central + 46 + 8 + 22) << "nothing before, between or after";
    EXPECT_EQ(zip.substr(0, 4), "PK\3\4");
    EXPECT_EQ(le(zip, 4, 2), 20u);
    EXPECT_EQ(le(zip, 6, 2), 0u) << "no flags, no data descriptor";
    EXPECT_EQ(le(zip, 8, 2), 8u);
    EXPECT_EQ(le(zip, 14, 4), crc);
    EXPECT_EQ(le(zip, 22, 4), document.size());
    EXPECT_EQ(le(zip, 26, 2), 8u);
    EXPECT_EQ(le(zip, 28, 2), 0u);
    EXPECT_EQ(zip.substr(30, 8), "lang.xml");

    std::string expectedCentral = std::string("PK\1\2\x14\0\x14\0\0\0\x08\0", 12) +
                                  zip.substr(10, 16) + zip.substr(26, 2) + std::string(16, '\0') +
                                  "lang.xml";
    EXPECT_EQ(zip.substr(central, 54), expectedCentral);
    std::string expectedEnd =
        std::string("PK\5\6\0\0\0\0\1\0\1\0\x36\0\0\0", 16) + std::string(6, '\0');
    setLe(expectedEnd, 16, 4, static_cast<std::uint32_t>(central));
    EXPECT_EQ(zip.substr(central + 54), expectedEnd);

    // The stamp is the local time of the save.
    std::uint32_t stamp = le(zip, 12, 2) << 16 | le(zip, 10, 2);
    auto dosStamp = [](std::time_t t) {
        std::tm local{};
        localtime_r(&t, &local);
        auto dos = container::zip::toDosDateTime(local);
        return std::uint32_t{dos.date} << 16 | dos.time;
    };
    EXPECT_GE(stamp, dosStamp(before));
    EXPECT_LE(stamp, dosStamp(after));
}

TEST(Container, DosTimeAndDateClampYearsToTheField) {
    std::tm t{};
    t.tm_year = 2024 - 1900, t.tm_mon = 2, t.tm_mday = 15, t.tm_hour = 13, t.tm_min = 45;
    t.tm_sec = 59;
    auto dos = container::zip::toDosDateTime(t);
    EXPECT_EQ(dos.time, 13 * 2048 + 45 * 32 + 29);
    EXPECT_EQ(dos.date, 44 * 512 + 3 * 32 + 15);
    t.tm_year = 1975 - 1900;
    EXPECT_EQ(container::zip::toDosDateTime(t).date, 3 * 32 + 15);
    t.tm_year = 2200 - 1900;
    EXPECT_EQ(container::zip::toDosDateTime(t).date, 127 * 512 + 3 * 32 + 15);
}

TEST(Container, RefusedSavesLeaveTheOldFileWhole) {
    TempDir dir;
    std::string path = dir.file("keep.gtr");
    container::WriteSingleEntry(path, "chords.xml", "<Chordfile/>");
    std::string original = fileBytes(path);

    auto refusal = [&](const std::string& name, std::string_view bytes) {
        try {
            container::WriteSingleEntry(path, name, bytes);
        } catch (const CZipException& error) {
            return error.code();
        }
        return 0;
    };
    EXPECT_EQ(refusal("", "<Chordfile/>"), CZipException::BadZipFile);
    EXPECT_EQ(refusal(std::string(70000, 'n'), "x"), CZipException::BadZipFile);
    EXPECT_EQ(refusal("chords.xml", std::string(64 * 1024 * 1024 + 1, ' ')),
              CZipException::BadZipFile)
        << "an entry too large to be read back";
    EXPECT_EQ(fileBytes(path), original);

    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    try {
        container::WriteSingleEntry(path, "chords.xml", "<new/>");
        FAIL() << "a read-only chordfile was overwritten";
    } catch (const platform::FileError& error) {
        EXPECT_NE(std::string(error.what()).find(path), std::string::npos);
    }
    EXPECT_EQ(fileBytes(path), original);

    std::string folder = dir.file("ro");
    ASSERT_EQ(::mkdir(folder.c_str(), 0555), 0);
    EXPECT_THROW(container::WriteSingleEntry(folder + "/new.gtr", "chords.xml", "x"),
                 platform::FileError);
    EXPECT_TRUE(std::filesystem::is_empty(folder)) << "nothing is left behind";
    ::chmod(folder.c_str(), 0755);
}

TEST(Container, ReadOnlyArchivesOpenAndMissingOnesNameTheFile) {
    TempDir dir;
    std::string path = dir.file("ro.gtr");
    container::WriteSingleEntry(path, "chords.xml", "<Chordfile/>");
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    ASSERT_EQ(::chmod(dir.path().c_str(), 0555), 0);
    std::string document;
    EXPECT_EQ(readError(path, &document), 0);
    EXPECT_EQ(document, "<Chordfile/>");

    for (std::string bad : {dir.file("missing.gtr"), dir.path()}) {
        try {
            std::string buffer;
            container::ReadFirstEntry(bad, buffer);
            FAIL() << bad << " was read";
        } catch (const platform::FileError& error) {
            EXPECT_NE(std::string(error.what()).find(bad), std::string::npos);
        }
    }
}

TEST(Container, NonArchivesAndTruncatedArchivesAreRefused) {
    TempDir dir;
    std::string path = dir.file("x.gtr");
    test::writeBytes(path, "<?xml version=\"1.0\"?>\r\n<Chordfile></Chordfile>\r\n");
    EXPECT_EQ(readError(path), CZipException::CentralDirectoryNotFound);
    test::writeBytes(path, "");
    EXPECT_EQ(readError(path), CZipException::CentralDirectoryNotFound);
    test::writeBytes(path, std::string("PK\5\6\0\0\0\0\0\0", 10));
    EXPECT_EQ(readError(path), CZipException::BadZipFile) << "an end record cut short";
    std::string read = "?";
    test::writeBytes(path, "PK\5\6" + std::string(18, '\0'));
    EXPECT_EQ(readError(path, &read), 0);
    EXPECT_EQ(read, "") << "an archive without entries yields nothing";

    container::WriteSingleEntry(path, "chords.xml", chordText(3000));
    std::string whole = fileBytes(path);
    for (std::size_t length = 0; length < whole.size(); ++length) {
        test::writeBytes(path, whole.substr(0, length));
        int code = readError(path);
        EXPECT_TRUE(code == CZipException::BadZipFile ||
                    code == CZipException::CentralDirectoryNotFound)
            << "cut at " << length << ": " << code;
    }
}

TEST(Container, InconsistentHeadersAreDamaged) {
    TempDir dir;
    std::string path = dir.file("x.gtr");
    std::string document = chordText(200000);
    container::WriteSingleEntry(path, "chords.xml", document);
    const std::string good = fileBytes(path);
    const std::size_t central = good.size() - 22 - 56;
    const std::size_t end = good.size() - 22;
    // Sets a field of the same meaning in both headers.
    auto both = [&](std::string& z, std::size_t localAt, int width, std::uint32_t value) {
        setLe(z, localAt, width, value);
        setLe(z, central + localAt + 2, width, value);
    };
    // Moves CRC and sizes from the local header into a data descriptor.
    auto describe = [&](std::string& z, bool sign, std::uint32_t skew) {
        std::string descriptor = sign ? "PK\7\x08" : "";
        descriptor += z.substr(14, 12);
        setLe(descriptor, descriptor.size() - 8, 4, le(z, 18, 4) + skew);
        both(z, 6, 2, 8);
        z.replace(14, 12, std::string(12, '\0'));
        z.insert(central, descriptor);
        setLe(z, end + descriptor.size() + 16, 4,
              static_cast<std::uint32_t>(central + descriptor.size()));
    };
    struct Case {
        const char* what;
        std::function<void(std::string&)> patch;
        int code;
    };
    std::uint32_t size = static_cast<std::uint32_t>(document.size());
    std::vector<Case> cases = {
        {"directory offset past the end", [&](auto& z) { setLe(z, end + 16, 4, 0x7FFFFFFF); }, 101},
        {"directory larger than room", [&](auto& z) { setLe(z, end + 12, 4, end + 1); }, 101},
        {"entries without directory", [&](auto& z) { setLe(z, end + 12, 4, 0); }, 101},
        {"directory without entries",
         [&](auto& z) { setLe(z, end + 8, 2, 0), setLe(z, end + 10, 2, 0); }, 101},
        {"more entries than headers", [&](auto& z) { setLe(z, end + 10, 2, 2); }, 101},
        {"comment past the end", [&](auto& z) { setLe(z, end + 20, 2, 1); }, 101},
        {"central signature", [&](auto& z) { z[central] = 'X'; }, 101},
        {"local signature", [&](auto& z) { z[0] = 'X'; }, 101},
        {"local method differs", [&](auto& z) { setLe(z, 8, 2, 0); }, 101},
        {"unknown method", [&](auto& z) { both(z, 8, 2, 12); }, 101},
        {"local name length differs", [&](auto& z) { setLe(z, 26, 2, 9); }, 101},
        {"local CRC differs", [&](auto& z) { z[14] ^= 1; }, 101},
        {"local size differs", [&](auto& z) { z[22] ^= 1; }, 101},
        {"encrypted", [&](auto& z) { both(z, 6, 2, 1); }, 110},
        {"CRC of other bytes", [&](auto& z) { both(z, 14, 4, le(z, 14, 4) ^ 0x100); }, 102},
        {"over 64 MiB", [&](auto& z) { both(z, 22, 4, 64 * 1024 * 1024 + 1); }, 101},
        {"stream longer than its size", [&](auto& z) { both(z, 22, 4, size - 1); }, 101},
        {"stream shorter than its size", [&](auto& z) { both(z, 22, 4, size + 1); }, 101},
        {"compressed size past the end", [&](auto& z) { both(z, 18, 4, 0x10000000); }, 101},
        {"descriptor flag without descriptor", [&](auto& z) { both(z, 6, 2, 8); }, 101},
        {"same local offset twice",
         [&](auto& z) {
             z.insert(end, z.substr(central, 56));
             setLe(z, end + 56 + 8, 2, 2), setLe(z, end + 56 + 10, 2, 2);
             setLe(z, end + 56 + 12, 4, 112);
         },
         101},
        {"signed descriptor", [&](auto& z) { describe(z, true, 0); }, 0},
        {"bare descriptor", [&](auto& z) { describe(z, false, 0); }, 0},
        {"descriptor of other data", [&](auto& z) { describe(z, false, 1); }, 101},
    };
    for (const auto& c : cases) {
        std::string bad = good;
        c.patch(bad);
        test::writeBytes(path, bad);
        EXPECT_EQ(readError(path), c.code) << c.what;
    }
}

// A damaged archive reads as a container error that hands back nothing or, where
// the damage touches nothing the reader relies on, as the entry unchanged. Every
// byte outside the deflate stream is damaged (headers, sizes, offsets, CRC, name,
// directory, end record), and so are both ends of the stream (block header and
// code tables, the end of block) and a fixed sample of its middle; the container
// fuzz target reaches every other position.
TEST(Container, DamagedArchivesNeverYieldWrongBytes) {
    TempDir dir;
    std::string path = dir.file("x.gtr");
    std::string document = chordText(20000);
    container::WriteSingleEntry(path, "chords.xml", document);
    const std::string good = fileBytes(path);
    const std::size_t dataStart = 38;
    const std::size_t dataEnd = dataStart + le(good, 18, 4);
    ASSERT_GT(dataEnd - dataStart, 1000u);

    auto damage = [&](std::size_t at, unsigned char mask) {
        std::string bad = good;
        bad[at] = static_cast<char>(bad[at] ^ mask);
        test::writeBytes(path, bad);
        std::string read;
        int code = readError(path, &read);
        if (code == 0) {
            EXPECT_TRUE(read == document)
                << "flip " << int{mask} << " at " << at << " gave other bytes";
        } else {
            EXPECT_TRUE(code == 101 || code == 102 || code == 110 || code == 116 || code == 504)
                << "flip " << int{mask} << " at " << at << ": " << code;
        }
        return code;
    };
    // One bit off is the likely fault in a size or offset; all bits in a signature.
    for (std::size_t at = 0; at < good.size(); ++at) {
        if (at < dataStart || at >= dataEnd) {
            damage(at, 0x01);
            damage(at, 0xFF);
        }
    }
    int flipped = 0, failures = 0;
    for (std::size_t at = dataStart; at < dataEnd; ++at) {
        if (at < dataStart + 128 || at >= dataEnd - 32 || (at - dataStart) % 29 == 0) {
            ++flipped;
            failures += damage(at, 0xFF) != 0 ? 1 : 0;
        }
    }
    EXPECT_GT(failures, flipped * 9 / 10);
}
