#pragma once

#include <QColor>

namespace strumvale::uikit {

// A string heard in tune (or played right), and out of tune (or wrong).
inline const QColor kInTuneColour{40, 160, 60};
inline const QColor kOutOfTuneColour{200, 60, 40};

} // namespace strumvale::uikit
