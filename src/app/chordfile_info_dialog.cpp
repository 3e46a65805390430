#include "app/chordfile_info_dialog.h"

#include "library/chord_library.h"
#include "resources/templates/chordfile_info_dialog.h"
#include "uikit/dialog_builder.h"
#include "uikit/text.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace strumvale::app {

using Id = resources::ChordfileInfoId;

ChordfileInfoDialog::ChordfileInfoDialog(const ChordLibrary& library, QWidget* owner)
    : QDialog(owner) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint);
    uikit::buildDialog(*this, resources::chordfileInfoDialogTemplate(),
                       uikit::DialogSizing::FixedWindow);
    auto tr = [&library](std::string_view key) { return uikit::toQString(library.Translate(key)); };
    setWindowTitle(tr("Chordfile Information"));
    uikit::control<QGroupBox>(*this, Id::AuthorGroup)->setTitle(tr("Author"));
    uikit::control<QGroupBox>(*this, Id::HomepageGroup)->setTitle(tr("Homepage"));
    uikit::control<QGroupBox>(*this, Id::InfoGroup)->setTitle(tr("Other Information"));
    uikit::control<QGroupBox>(*this, Id::StatisticsGroup)->setTitle(tr("Chordfile Statistics"));
    auto* ok = uikit::control<QPushButton>(*this, Id::Ok);
    ok->setText(tr("OK"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    const std::pair<Id, const std::string&> texts[] = {
        {Id::AuthorText, library.Author},
        {Id::HomepageText, library.Homepage},
        {Id::InfoText, library.Info},
    };
    for (const auto& [id, text] : texts) {
        uikit::control<QLabel>(*this, id)->setText(uikit::toDisplayText(text));
    }
    uikit::control<QLabel>(*this, Id::StatisticsText)
        ->setText(uikit::toDisplayText(library.StatisticsText()));
}

} // namespace strumvale::app
