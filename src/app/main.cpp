#include "app/main_dialog.h"
#include "app/termination_signals.h"
#include "platform/single_instance.h"
#include "uikit/dialog_builder.h"

#include <QApplication>
#include <optional>

int main(int argc, char* argv[]) {
    strumvale::app::catchTerminationSignals();
    // A second start ends at once, silently, leaving the running one alone.
    const std::optional<strumvale::platform::InstanceLock> instance =
        strumvale::platform::InstanceLock::acquire(strumvale::platform::kInstanceName);
    if (!instance)
        return 0;

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Strumvale"));
    QApplication::setDesktopFileName(QStringLiteral("strumvale"));
    QApplication::setFont(strumvale::uikit::dialogFont());
    strumvale::app::quitOnTerminationSignals(application);

    strumvale::app::MainDialog window;
    window.exec();
    return 0;
}
