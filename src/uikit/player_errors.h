#pragma once

class QWidget;

namespace strumvale::sound {
class ChordPlayer;
}

namespace strumvale::uikit {

// The player's failures, which happen on its own threads, shown as stop
// messages over receiver on the user-interface thread; a report that arrives
// after receiver has gone is dropped. The texts are the player's own, not
// keys of the language table.
void showPlayerErrors(sound::ChordPlayer& player, QWidget& receiver);

} // namespace strumvale::uikit
