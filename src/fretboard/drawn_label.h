#pragma once

#include <QRect>
#include <QString>

namespace strumvale::fretboard {

// One text a view wrote in its last paint: lets tests and pages see what a user
// reads without depending on font rasterisation.
struct DrawnLabel {
    enum class Kind { StringName, FretNumber, Interval, Note, Message, Tab, PlayingMark };
    Kind kind;
    QRect box;
    QString text;
};

} // namespace strumvale::fretboard
