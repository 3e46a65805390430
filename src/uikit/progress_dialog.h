#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QProgressBar;

namespace strumvale::uikit {

// A small window that shows how far a long task has come, with a caption
// such as "42 %". It does not block the rest of the program.
class ProgressDialog : public QDialog {
    Q_OBJECT
public:
    explicit ProgressDialog(const QString& title, QWidget* parent = nullptr);

    void setMessage(const QString& message);
    QString message() const;

    // A maximum below the minimum is taken as the minimum.
    void setRange(int minimum, int maximum);
    // Values outside the range count as its nearest end.
    void setValue(int value);

    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    int value() const { return value_; }
    // Whole percent done; an empty range is complete.
    int percent() const;

private:
    void refresh();

    QLabel* message_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QLabel* percentage_ = nullptr;
    int minimum_ = 0;
    int maximum_ = 100;
    int value_ = 0;
};

} // namespace strumvale::uikit
