#include "app/program_paths.h"

#include "uikit/file_dialog.h"
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
    QString target = uikit::fromSystem(programDirectory);
    if (!target.endsWith('/'))
        target += '/';
    target += QStringLiteral("readme.html");
    return target;
}

QString chosenChordfilePath(const QString& chosen) {
    return uikit::chosenFilePath(chosen, QStringLiteral(".gtr"));
}

} // namespace strumvale::app
