#pragma once

#include <QColor>
#include <cstdint>
#include <functional>

class QSlider;
class QWidget;

namespace strumvale::settings {

class ColourPreview;

// Three sliders, red, green and blue from 0 to 255, and the preview of the
// colour they make. The preview follows every move, also while dragging.
class ColourGroup {
public:
    struct Components {
        std::int32_t& red;
        std::int32_t& green;
        std::int32_t& blue;
    };

    ColourGroup(QSlider* red, QSlider* green, QSlider* blue, ColourPreview* preview);
    // The sliders report to this object.
    ColourGroup(const ColourGroup&) = delete;
    ColourGroup& operator=(const ColourGroup&) = delete;

    void show(std::int32_t red, std::int32_t green, std::int32_t blue);
    void store(Components components) const;
    QColor colour() const;
    // Called after every change the user makes.
    void onChange(QWidget* context, const std::function<void()>& changed);

private:
    void refreshPreview();

    QSlider* red_;
    QSlider* green_;
    QSlider* blue_;
    ColourPreview* preview_;
};

} // namespace strumvale::settings
