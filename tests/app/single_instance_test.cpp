#include "platform/single_instance.h"
#include "support/temp_dir.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

namespace strumvale::test {
namespace {

// The real program, started twice in one runtime folder: the second start
// ends at once, with status 0, and leaves the first one running.
TEST(SingleInstance, ASecondStartEndsAtOnceAndLeavesTheFirstRunning) {
    TempDir runtime;
    TempDir work;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime.path()));
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    // The built-in synthesizer renders into nothing.
    environment.insert("STRUMVALE_AUDIO_DRIVER", "file");
    environment.insert("STRUMVALE_AUDIO_FILE", "/dev/null");
    const QString program = QString::fromStdString(std::string(STRUMVALE_TOOLS_DIR) + "/strumvale");

    QProcess first;
    first.setProcessEnvironment(environment);
    first.setWorkingDirectory(QString::fromStdString(work.path()));
    first.start(program, {});
    ASSERT_TRUE(first.waitForStarted(10'000));

    // Wait (bounded) until the first instance holds its lock.
    ::setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
    bool held = false;
    for (int attempt = 0; attempt < 400 && !held; ++attempt) {
        held = !platform::InstanceLock::acquire(platform::kInstanceName).has_value();
        if (!held)
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    ASSERT_TRUE(held);

    QProcess second;
    second.setProcessEnvironment(environment);
    second.setWorkingDirectory(QString::fromStdString(work.path()));
    second.start(program, {});
    ASSERT_TRUE(second.waitForFinished(20'000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(second.readAllStandardOutput().isEmpty());
    EXPECT_EQ(first.state(), QProcess::Running);

    // With a file, a later start hands it over: it ends with 0 only once the
    // running window has answered that it took the file.
    const std::string song = work.file("Sång 🎸.cho");
    FILE* file = std::fopen(song.c_str(), "w");
    ASSERT_NE(file, nullptr);
    std::fputs("[Am]La [E]la\n", file);
    std::fclose(file);
    QProcess handing;
    handing.setProcessEnvironment(environment);
    handing.setWorkingDirectory(QString::fromStdString(work.path()));
    handing.start(program, {QString::fromStdString("Sång 🎸.cho")});
    ASSERT_TRUE(handing.waitForFinished(20'000));
    EXPECT_EQ(handing.exitCode(), 0) << handing.readAllStandardError().toStdString();
    EXPECT_EQ(first.state(), QProcess::Running);

    first.kill();
    first.waitForFinished(10'000);
    // The lock goes with the process.
    EXPECT_TRUE(platform::InstanceLock::acquire(platform::kInstanceName).has_value());
    ::unsetenv("XDG_RUNTIME_DIR");
}

} // namespace
} // namespace strumvale::test
