#include "platform/file.h"
#include "platform/file_error.h"
#include "support/held_lock.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>

using namespace strumvale::platform;
using strumvale::test::HeldLock;
using strumvale::test::TempDir;

namespace {

const std::string kInUse = "the file is in use by another program";

std::string contents(const std::string& path) {
    std::string bytes;
    EXPECT_TRUE(readWholeFile(path, bytes)) << path;
    return bytes;
}

// What the link at path points to; empty when path is no link.
std::string linkText(const std::string& path) {
    std::error_code notALink;
    return std::filesystem::read_symlink(path, notALink).string();
}

} // namespace

TEST(ReplaceFile, WritesNewFileAndReplacesOldOneWhole) {
    TempDir dir;
    std::string path = dir.file("a.bin");
    replaceFile(path, std::string("first\0x", 7));
    std::string bytes;
    ASSERT_TRUE(readWholeFile(path, bytes));
    EXPECT_EQ(bytes, std::string("first\0x", 7));

    replaceFile(path, "second");
    ASSERT_TRUE(readWholeFile(path, bytes));
    EXPECT_EQ(bytes, "second");
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"a.bin"}) << "no temporary file is left";
}

TEST(ReplaceFile, ReadOnlyTargetOrFolderFailsNamingTheFileAndKeepsIt) {
    TempDir dir;
    std::string path = dir.file("locked.gtr");
    replaceFile(path, "old");
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    try {
        replaceFile(path, "new");
        FAIL() << "a read-only file was overwritten";
    } catch (const FileError& error) {
        EXPECT_NE(std::string(error.what()).find(path), std::string::npos);
    }
    std::string bytes;
    ASSERT_TRUE(readWholeFile(path, bytes));
    EXPECT_EQ(bytes, "old");

    std::string folder = dir.file("ro");
    ASSERT_EQ(::mkdir(folder.c_str(), 0555), 0);
    EXPECT_THROW(replaceFile(folder + "/x.gtr", "new"), FileError);
    EXPECT_FALSE(readWholeFile(folder + "/x.gtr", bytes));
    ::chmod(folder.c_str(), 0755);
}

TEST(ReplaceFile, ALinkedFileIsSavedThroughToItsTargetAndTheLinksStay) {
    TempDir dir;
    namespace fs = std::filesystem;
    fs::create_directory(dir.file("real"));
    const std::string target = dir.file("real/songs.gtr");
    replaceFile(target, "old");
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    // A relative link, a link to that link, and an absolute link.
    fs::create_symlink("real/songs.gtr", dir.file("songs.gtr"));
    fs::create_symlink("songs.gtr", dir.file("again.gtr"));
    fs::create_symlink(target, dir.file("absolute.gtr"));

    replaceFile(dir.file("again.gtr"), "through two links");
    EXPECT_EQ(contents(target), "through two links");
    replaceFile(dir.file("absolute.gtr"), "new");
    EXPECT_EQ(contents(target), "new");

    EXPECT_EQ(linkText(dir.file("again.gtr")), "songs.gtr");
    EXPECT_EQ(linkText(dir.file("songs.gtr")), "real/songs.gtr");
    EXPECT_EQ(linkText(dir.file("absolute.gtr")), target);
    EXPECT_EQ(fs::status(target).permissions(), fs::perms(0640)) << "the target keeps its mode";
    EXPECT_EQ(dir.entries(),
              (std::vector<std::string>{"absolute.gtr", "again.gtr", "real", "songs.gtr"}));
    EXPECT_EQ(fs::directory_iterator(dir.file("real"))->path(), target) << "no temporary file";

    // The real target's rules hold through the link: read-only, or in a
    // read-only folder, it fails and keeps its bytes.
    ASSERT_EQ(::chmod(target.c_str(), 0444), 0);
    EXPECT_THROW(replaceFile(dir.file("songs.gtr"), "read-only file"), FileError);
    ASSERT_EQ(::chmod(target.c_str(), 0644), 0);
    ASSERT_EQ(::chmod(dir.file("real").c_str(), 0555), 0);
    EXPECT_THROW(replaceFile(dir.file("songs.gtr"), "read-only folder"), FileError);
    ASSERT_EQ(::chmod(dir.file("real").c_str(), 0755), 0);
    EXPECT_EQ(contents(target), "new");
    EXPECT_TRUE(fs::is_symlink(dir.file("songs.gtr")));
}

TEST(ReplaceFile, ADanglingLinkGetsItsTargetCreatedWhereTheFolderExists) {
    TempDir dir;
    namespace fs = std::filesystem;
    fs::create_directory(dir.file("real"));
    fs::create_symlink("real/new.gtr", dir.file("new.gtr"));
    replaceFile(dir.file("new.gtr"), "created");
    EXPECT_TRUE(fs::is_symlink(dir.file("new.gtr")));
    EXPECT_EQ(contents(dir.file("real/new.gtr")), "created");

    // A link into a missing folder, or a loop of links, fails and changes nothing.
    fs::create_symlink("gone/lost.gtr", dir.file("lost.gtr"));
    fs::create_symlink("loop-b.gtr", dir.file("loop-a.gtr"));
    fs::create_symlink("loop-a.gtr", dir.file("loop-b.gtr"));
    for (const char* name : {"lost.gtr", "loop-a.gtr"}) {
        try {
            replaceFile(dir.file(name), "nowhere");
            ADD_FAILURE() << name << " was saved";
        } catch (const FileError& error) {
            EXPECT_NE(std::string(error.what()).find(dir.file(name)), std::string::npos);
        }
    }
    EXPECT_EQ(linkText(dir.file("lost.gtr")), "gone/lost.gtr");
    EXPECT_EQ(linkText(dir.file("loop-a.gtr")), "loop-b.gtr");
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"loop-a.gtr", "loop-b.gtr", "lost.gtr",
                                                       "new.gtr", "real"}));
}

TEST(ReadOnlyFile, OpensReadOnlyFilesAndReadsAtOffsets) {
    TempDir dir;
    std::string path = dir.file("r.bin");
    replaceFile(path, "0123456789");
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    ReadOnlyFile file(path);
    EXPECT_EQ(file.size(), 10u);
    char buffer[8] = {};
    EXPECT_EQ(file.readAt(7, buffer, sizeof buffer), 3u);
    EXPECT_EQ(std::string(buffer, 3), "789");
    EXPECT_THROW(ReadOnlyFile(dir.file("missing")), FileError);
}

TEST(ReadOnlyFile, OtherReadersShareTheFileButAWriterShutsItOut) {
    TempDir dir;
    std::string path = dir.file("shared.gtr");
    replaceFile(path, "bytes");
    {
        HeldLock reader(path, LOCK_SH);
        ReadOnlyFile file(path);
        EXPECT_EQ(file.size(), 5u);
    }
    HeldLock writer(path, LOCK_EX);
    try {
        ReadOnlyFile file(path);
        FAIL() << "a file locked by a writer was opened";
    } catch (const FileError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot access the file '" + path + "': " + kInUse);
    }
}

TEST(ReplaceFile, AFileAnotherProgramHoldsIsRefusedAndKeptWhole) {
    TempDir dir;
    std::string path = dir.file("held.gtr");
    replaceFile(path, "old");
    for (int operation : {LOCK_SH, LOCK_EX}) {
        HeldLock other(path, operation);
        try {
            replaceFile(path, "new");
            FAIL() << "a file another program holds was replaced";
        } catch (const FileError& error) {
            EXPECT_EQ(std::string(error.what()),
                      "Cannot access the file '" + path + "': " + kInUse);
        }
        EXPECT_EQ(contents(path), "old");
        EXPECT_EQ(dir.entries(), std::vector<std::string>{"held.gtr"}) << "no temporary file";
    }
    // Once the other program lets go, saving works again.
    replaceFile(path, "new");
    EXPECT_EQ(contents(path), "new");
}

TEST(ReplaceFile, TheTargetStaysLockedUntilTheNewBytesAreInPlace) {
    TempDir dir;
    std::string path = dir.file("song.gtr");
    replaceFile(path, "old");
    {
        FileReplacement replacement(path);
        replacement.write("new");
        // Mid-save, other openers and a second save see the file in use.
        EXPECT_THROW(ReadOnlyFile{path}, FileError);
        EXPECT_THROW(HeldLock(path, LOCK_SH), std::runtime_error);
        try {
            replaceFile(path, "other");
            ADD_FAILURE() << "a file being saved was replaced by a second save";
        } catch (const FileError& error) {
            EXPECT_NE(std::string(error.what()).find(kInUse), std::string::npos);
        }
        EXPECT_EQ(contents(path), "old");
        replacement.commit();
    }
    EXPECT_EQ(contents(path), "new");
    EXPECT_NO_THROW(ReadOnlyFile{path});

    // Abandoned before the commit: the old bytes stay, unlocked, and the
    // temporary file goes.
    {
        FileReplacement replacement(path);
        replacement.write("lost");
    }
    EXPECT_EQ(contents(path), "new");
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"song.gtr"});
    EXPECT_NO_THROW(HeldLock(path, LOCK_EX));
}
