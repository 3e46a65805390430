#include "uikit/file_dialog.h"

#include <QDir>
#include <QFileDialog>

namespace strumvale::uikit {
namespace {

FileDialogHandler& handler() {
    static FileDialogHandler installed;
    return installed;
}

std::optional<QString> realFileDialog(QWidget* owner, const FileDialogRequest& request) {
    QFileDialog dialog(owner, QString(), QDir::currentPath(), request.filter);
    // No overwrite question: saving over a chordfile replaces it.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (request.kind == FileDialogKind::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
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

std::optional<QString> chooseFile(QWidget* owner, const FileDialogRequest& request) {
    if (handler())
        return handler()(owner, request);
    return realFileDialog(owner, request);
}

void setFileDialogHandler(FileDialogHandler newHandler) {
    handler() = std::move(newHandler);
}

} // namespace strumvale::uikit
