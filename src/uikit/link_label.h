#pragma once

#include <QLabel>
#include <QString>

namespace strumvale::uikit {

// A static text that looks and behaves like a web link.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(const QString& text, QWidget* parent = nullptr);

    void setLinkTarget(const QString& target);
    QString linkTarget() const { return linkTarget_; }

private:
    QString linkTarget_;
};

} // namespace strumvale::uikit
