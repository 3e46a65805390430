#include "uikit/open_target.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace strumvale::uikit {
namespace {

ShellOpenHandler& handler() {
    static ShellOpenHandler installed;
    return installed;
}

QUrl targetUrl(const QString& target) {
    const QUrl url(target);
    if (url.isValid() && url.scheme().size() > 1)
        return url;
    return QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
}

int desktopOpen(const QString& target) {
    const QUrl url = targetUrl(target);
    if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile()))
        return kOpenFileNotFound;
    return QDesktopServices::openUrl(url) ? kOpenSucceeded : kOpenNoAssociation;
}

} // namespace

int shellOpen(const QString& target) {
    if (handler())
        return handler()(target);
    return desktopOpen(target);
}

void setShellOpenHandler(ShellOpenHandler newHandler) {
    handler() = std::move(newHandler);
}

QString browserCommand() {
    return qEnvironmentVariable("BROWSER");
}

int startBrowser(const QString& command, const QString& target) {
    QString line = command;
    for (const QString& placeholder : {QStringLiteral("%1"), QStringLiteral("%s")}) {
        const qsizetype quoted = line.indexOf('"' + placeholder + '"');
        if (quoted >= 0) {
            line.truncate(quoted);
            break;
        }
        const qsizetype bare = line.indexOf(placeholder);
        if (bare >= 0) {
            line.truncate(bare);
            break;
        }
    }
    QStringList arguments = QProcess::splitCommand(line);
    if (arguments.isEmpty())
        return kOpenFileNotFound;
    const QString program = arguments.takeFirst();
    arguments.append(target);
    return QProcess::startDetached(program, arguments) ? kOpenSucceeded : kOpenFileNotFound;
}

} // namespace strumvale::uikit
