#include "uikit/player_errors.h"

#include "sound/chord_player.h"
#include "uikit/message_box.h"
#include "uikit/text.h"

#include <QMetaObject>
#include <QWidget>

namespace strumvale::uikit {

void showPlayerErrors(sound::ChordPlayer& player, QWidget& receiver) {
    player.setErrorReport([target = &receiver](const sound::PlayerError& error) {
        QMetaObject::invokeMethod(
            target,
            [target, error] {
                showMessage(target, {toQString(error.Text), toQString(error.Caption),
                                     MessageIcon::Stop, MessageButtons::Ok});
            },
            Qt::QueuedConnection);
    });
}

} // namespace strumvale::uikit
