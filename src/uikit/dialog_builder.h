#pragma once

#include "resources/dialog_template.h"

#include <QFont>
#include <QRect>
#include <QString>
#include <QWidget>
#include <functional>
#include <type_traits>

namespace strumvale::uikit {

// The font every layout was made for; dialog units assume it.
QFont dialogFont();

QRect toPixels(const resources::DialogRect& rect);

// Makes a widget for a control the default kinds do not cover (a tab control
// subclass, say); returning nullptr keeps the default widget.
using ControlFactory =
    std::function<QWidget*(const resources::ControlTemplate& control, QWidget* parent)>;

enum class DialogSizing {
    // A window of its own: fixed to the template's size.
    FixedWindow,
    // A page or panel inside another window: its parent decides the size.
    Child,
};

// Creates the template's controls as children of dialog, placed and in their
// initial state, with the template texts as captions. Each control is found
// again through control<T>(dialog, id).
void buildDialog(QWidget& dialog, const resources::DialogTemplate& layout, DialogSizing sizing,
                 const ControlFactory& factory = {});

QString controlName(int id);

template <typename Widget, typename Id>
requires(std::is_enum_v<Id> || std::is_same_v<Id, int>) Widget* control(const QWidget& dialog,
                                                                        Id id) {
    return dialog.findChild<Widget*>(controlName(static_cast<int>(id)), Qt::FindDirectChildrenOnly);
}

} // namespace strumvale::uikit
