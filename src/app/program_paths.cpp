#include "app/program_paths.h"

#include "uikit/text.h"

#include <QFileInfo>

namespace strumvale::app {

std::string loadedChordfilePath(const std::string& programDirectory, const std::string& fileName) {
    if (fileName.starts_with('/'))
        return fileName;
    std::string path = programDirectory;
    if (!path.ends_with('/'))
        path += '/';
    path += fileName;
    return path;
}

QString readmeTarget(const std::string& programDirectory) {
    QString target = uikit::toQString(programDirectory);
    if (!target.endsWith('/'))
        target += '/';
    target += QStringLiteral("readme.html");
    return target;
}

QString chosenChordfilePath(const QString& chosen) {
    const QFileInfo info(chosen);
    QString name = info.fileName();
    QString folder = info.absolutePath();
    if (!folder.endsWith('/'))
        folder += '/';
    if (!name.endsWith(QStringLiteral(".gtr"), Qt::CaseSensitive))
        name += QStringLiteral(".gtr");
    return folder + name;
}

} // namespace strumvale::app
