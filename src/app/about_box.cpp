#include "app/about_box.h"

namespace strumvale::app {

void showAboutBox(QWidget*, ChordLibrary&) {}

} // namespace strumvale::app
