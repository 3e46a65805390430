#pragma once

#include <QString>
#include <QToolButton>

namespace strumvale::uikit {

// A command button with an icon and a caption; hover and pressed looks come
// from the style. A button with a link target opens it when clicked, silently
// doing nothing when that fails.
class ImageButton : public QToolButton {
    Q_OBJECT
public:
    explicit ImageButton(const QString& caption, QWidget* parent = nullptr);

    void setIconResource(int resourceId);
    // The resource of the icon shown, -1 before one is set.
    int iconResource() const { return iconResource_; }
    void setLinkTarget(const QString& target);
    QString linkTarget() const { return linkTarget_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void arrange();

    QString linkTarget_;
    int iconResource_ = -1;
};

} // namespace strumvale::uikit
