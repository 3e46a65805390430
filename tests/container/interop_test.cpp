// Chordfiles travel: they must open in the usual ZIP tools, and archives those
// tools make must open here. The tools are required; a missing one fails.
#include "archive_bytes.h"
#include "container/container.h"
#include "support/temp_dir.h"

#include <cstdlib>
#include <gtest/gtest.h>

using namespace strumvale;
using test::chordText;
using test::fileBytes;
using test::TempDir;

namespace {

const std::string kScript = std::string(STRUMVALE_TEST_DATA_DIR) + "/zip_interop.py";

// Runs a shell command with its output in out; returns its exit status.
int run(const std::string& command, const TempDir& dir, std::string* out = nullptr) {
    std::string captured = dir.file("stdout.txt");
    int status = std::system(("(" + command + ") >" + captured + " 2>&1").c_str());
    if (out)
        *out = fileBytes(captured);
    return status;
}

std::string firstEntry(const std::string& path) {
    std::string buffer;
    container::ReadFirstEntry(path, buffer);
    return buffer;
}

} // namespace

TEST(Interop, SavedChordfilesOpenInInfoZipAndPython) {
    TempDir dir;
    std::string path = dir.file("saved.gtr");
    std::string document = chordText(300000);
    container::WriteSingleEntry(path, "chords.xml", document);

    std::string out;
    ASSERT_EQ(run("unzip -Z " + path, dir, &out), 0) << out;
    EXPECT_NE(out.find("1 file"), std::string::npos) << out;
    EXPECT_NE(out.find("defN"), std::string::npos) << out;
    EXPECT_NE(out.find("chords.xml"), std::string::npos) << out;
    ASSERT_EQ(run("unzip -Z1 " + path, dir, &out), 0) << out;
    EXPECT_EQ(out, "chords.xml\n");
    ASSERT_EQ(run("unzip -t " + path, dir, &out), 0) << out;
    ASSERT_EQ(run("unzip -p " + path + " chords.xml >" + dir.file("unzipped"), dir), 0);
    EXPECT_TRUE(fileBytes(dir.file("unzipped")) == document);

    ASSERT_EQ(run("python3 " + kScript + " check " + path + " " + dir.file("extracted"), dir, &out),
              0)
        << out;
    EXPECT_EQ(out, "1 chords.xml 8 ok\n");
    EXPECT_TRUE(fileBytes(dir.file("extracted")) == document);
}

TEST(Interop, ReadsArchivesMadeByInfoZipAndPython) {
    TempDir dir;
    std::string document = chordText(150000);
    test::writeBytes(dir.file("chords.xml"), document);
    std::string cd = "cd " + dir.path() + " && ";
    std::string out;
    ASSERT_EQ(
        run("python3 " + kScript + " make " + dir.path() + " " + dir.file("chords.xml"), dir, &out),
        0)
        << out;
    ASSERT_EQ(run(cd + "zip -q -X zip_deflated.zip chords.xml", dir, &out), 0) << out;
    ASSERT_EQ(run(cd + "zip -q -X -0 zip_stored.zip chords.xml", dir, &out), 0) << out;
    ASSERT_EQ(run(cd + "zip -q -fd zip_descriptor.zip chords.xml", dir, &out), 0) << out;
    ASSERT_EQ(run(cd + "zip -q - chords.xml | cat >zip_streamed.zip", dir, &out), 0) << out;
    ASSERT_EQ(run(cd + "echo 'a comment' | zip -q -z zip_comment.zip chords.xml", dir, &out), 0)
        << out;
    ASSERT_EQ(run(cd + "(printf 'MZ stub'; cat zip_deflated.zip) >zip_prepended.zip", dir, &out), 0)
        << out;

    for (const char* name :
         {"py_deflated.zip", "py_stored.zip", "py_comment.zip", "py_descriptor.zip",
          "zip_deflated.zip", "zip_stored.zip", "zip_descriptor.zip", "zip_streamed.zip",
          "zip_comment.zip", "zip_prepended.zip"}) {
        std::string read;
        EXPECT_NO_THROW(read = firstEntry(dir.file(name))) << name;
        EXPECT_TRUE(read == document) << name << ": " << read.size() << " bytes";
    }
    EXPECT_EQ(firstEntry(dir.file("py_reordered.zip")), "read me")
        << "the entry whose data comes first, not the first one listed";
    try {
        firstEntry(dir.file("py_huge.zip"));
        ADD_FAILURE() << "an entry over 64 MiB was read";
    } catch (const container::CZipException& error) {
        EXPECT_EQ(error.code(), container::CZipException::BadZipFile);
    }
}
