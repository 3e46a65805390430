#include "settings/colour_group.h"

#include "settings/colour_preview.h"

#include <QSlider>

namespace strumvale::settings {

ColourGroup::ColourGroup(QSlider* red, QSlider* green, QSlider* blue, ColourPreview* preview)
    : red_(red), green_(green), blue_(blue), preview_(preview) {
    for (QSlider* slider : {red_, green_, blue_}) {
        slider->setRange(0, 255);
        QObject::connect(slider, &QSlider::valueChanged, preview_, [this] { refreshPreview(); });
    }
    refreshPreview();
}

void ColourGroup::show(std::int32_t red, std::int32_t green, std::int32_t blue) {
    red_->setValue(red);
    green_->setValue(green);
    blue_->setValue(blue);
    refreshPreview();
}

void ColourGroup::store(Components components) const {
    components.red = red_->value();
    components.green = green_->value();
    components.blue = blue_->value();
}

QColor ColourGroup::colour() const {
    return QColor(red_->value(), green_->value(), blue_->value());
}

void ColourGroup::onChange(QWidget* context, const std::function<void()>& changed) {
    for (QSlider* slider : {red_, green_, blue_})
        QObject::connect(slider, &QSlider::valueChanged, context, changed);
}

void ColourGroup::refreshPreview() {
    preview_->setColour(colour());
}

} // namespace strumvale::settings
