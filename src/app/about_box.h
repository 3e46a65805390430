#pragma once

class QWidget;

namespace strumvale {
class ChordLibrary;
}

namespace strumvale::app {

void showAboutBox(QWidget* owner, ChordLibrary& library);

} // namespace strumvale::app
