#include "uikit/progress_dialog.h"

#include "uikit/dialog_builder.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <algorithm>

namespace strumvale::uikit {

ProgressDialog::ProgressDialog(const QString& title, QWidget* parent) : QDialog(parent) {
    setModal(false);
    setWindowTitle(title);
    setFont(dialogFont());

    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("message"));
    message_->setTextFormat(Qt::PlainText);
    message_->setWordWrap(true);

    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("bar"));
    // The caption below says it once; the bar's own text would repeat it.
    bar_->setTextVisible(false);

    percentage_ = new QLabel(this);
    percentage_->setObjectName(QStringLiteral("percentage"));
    percentage_->setAlignment(Qt::AlignHCenter);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(message_);
    layout->addWidget(bar_);
    layout->addWidget(percentage_);
    setMinimumWidth(280);
    refresh();
}

void ProgressDialog::setMessage(const QString& message) {
    message_->setText(message);
}

QString ProgressDialog::message() const {
    return message_->text();
}

void ProgressDialog::setRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    value_ = std::clamp(value_, minimum_, maximum_);
    refresh();
}

void ProgressDialog::setValue(int value) {
    value_ = std::clamp(value, minimum_, maximum_);
    refresh();
}

int ProgressDialog::percent() const {
    if (maximum_ == minimum_)
        return 100;
    // 64 bits: a range of byte counts may span most of int.
    const long long done = static_cast<long long>(value_) - minimum_;
    const long long span = static_cast<long long>(maximum_) - minimum_;
    return static_cast<int>(done * 100 / span);
}

void ProgressDialog::refresh() {
    // The bar works in percent, so a range wider than int's half cannot
    // overflow its own arithmetic.
    bar_->setRange(0, 100);
    bar_->setValue(percent());
    percentage_->setText(QStringLiteral("%1 %").arg(percent()));
}

} // namespace strumvale::uikit
