#include "uikit/file_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace strumvale::uikit {
namespace {

FileDialogHandler& handler() {
    static FileDialogHandler installed;
    return installed;
}

std::optional<QString> realFileDialog(QWidget* owner, const FileDialogRequest& request) {
    QFileDialog dialog(owner, QString(),
                       request.directory.isEmpty() ? QDir::currentPath() : request.directory,
                       request.filter);
    // No overwrite question: saving over a chordfile replaces it.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (request.kind == FileDialogKind::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        if (!request.fileName.isEmpty())
            dialog.selectFile(request.fileName);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().first();
}

} // namespace

QString songFileFilter() {
    return QStringLiteral("ChordPro Song (*.cho *.chopro)");
}

QString chosenSongPath(const QString& chosen) {
    return chosen.endsWith(QStringLiteral(".cho")) || chosen.endsWith(QStringLiteral(".chopro"))
               ? chosen
               : chosenFilePath(chosen, QStringLiteral(".cho"));
}

std::optional<QString> chooseFile(QWidget* owner, const FileDialogRequest& request) {
    if (handler())
        return handler()(owner, request);
    return realFileDialog(owner, request);
}

QString chosenFilePath(const QString& chosen, const QString& extension) {
    const QFileInfo info(chosen);
    QString name = info.fileName();
    QString folder = info.absolutePath();
    if (!folder.endsWith('/'))
        folder += '/';
    if (!name.endsWith(extension, Qt::CaseSensitive))
        name += extension;
    return folder + name;
}

void setFileDialogHandler(FileDialogHandler newHandler) {
    handler() = std::move(newHandler);
}

} // namespace strumvale::uikit
