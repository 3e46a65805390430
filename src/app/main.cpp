#include "app/file_handover.h"
#include "app/given_files.h"
#include "app/main_dialog.h"
#include "app/termination_signals.h"
#include "app/window_scale.h"
#include "platform/single_instance.h"
#include "uikit/dialog_builder.h"
#include "uikit/text.h"

#include <QApplication>
#include <QCoreApplication>
#include <cstdio>
#include <optional>

namespace {

// A later start hands its file to the running window and ends; without a
// file it ends at once, silently, leaving the running one alone.
int handOverToRunningInstance(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const std::optional<QString> file = strumvale::app::givenFile(QCoreApplication::arguments());
    if (!file)
        return 0;
    const QString socket = strumvale::uikit::fromSystem(
        strumvale::platform::InstanceLock::socketPath(strumvale::platform::kInstanceName));
    if (strumvale::app::handOverFile(socket, *file))
        return 0;
    std::fprintf(stderr, "Strumvale is running but did not take %s\n", file->toUtf8().constData());
    return 1;
}

} // namespace

int main(int argc, char* argv[]) {
    strumvale::app::catchTerminationSignals();
    const std::optional<strumvale::platform::InstanceLock> instance =
        strumvale::platform::InstanceLock::acquire(strumvale::platform::kInstanceName);
    if (!instance)
        return handOverToRunningInstance(argc, argv);

    strumvale::app::scaleWindowsAsSet();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Strumvale"));
    QApplication::setDesktopFileName(QStringLiteral("strumvale"));
    QApplication::setFont(strumvale::uikit::dialogFont());
    strumvale::app::quitOnTerminationSignals(application);

    using strumvale::app::GivenFileKind;
    const std::optional<QString> file = strumvale::app::givenFile(QApplication::arguments());
    const bool song = file && strumvale::app::kindOfGivenFile(*file) == GivenFileKind::Song;
    strumvale::app::MainDialog window(strumvale::app::MainDialog::kProgramOptions,
                                      file && !song ? strumvale::uikit::toSystem(*file)
                                                    : std::string());
    if (song)
        strumvale::app::openSongAtStart(window, *file);
    // Files handed over are answered and opened once the window's loop runs.
    strumvale::app::FileHandover handover(
        strumvale::uikit::fromSystem(
            strumvale::platform::InstanceLock::socketPath(strumvale::platform::kInstanceName)),
        [&window](const QString& path) { strumvale::app::openHandedOverFile(window, path); });
    window.exec();
    return 0;
}
