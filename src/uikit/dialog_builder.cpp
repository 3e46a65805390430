#include "uikit/dialog_builder.h"

#include "uikit/image_button.h"
#include "uikit/link_label.h"
#include "uikit/text.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextOption>
#include <vector>

namespace strumvale::uikit {
namespace {

using resources::ControlKind;
using resources::ControlTemplate;
namespace style = resources::style;

bool has(const ControlTemplate& control, std::uint32_t flag) {
    return (control.style & flag) != 0;
}

Qt::Alignment horizontalAlignment(const ControlTemplate& control) {
    if (has(control, style::Centred))
        return Qt::AlignHCenter;
    if (has(control, style::RightAligned))
        return Qt::AlignRight;
    return Qt::AlignLeft;
}

QWidget* makeStatic(const ControlTemplate& control, QWidget* parent) {
    auto* label = new QLabel(toQString(control.text), parent);
    // Static texts wrap at word boundaries and start at the top, and an
    // ampersand is shown as it stands.
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(horizontalAlignment(control) | Qt::AlignTop);
    if (has(control, style::Framed))
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
    if (has(control, style::Sunken))
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return label;
}

QWidget* makeEdit(const ControlTemplate& control, QWidget* parent) {
    if (has(control, style::MultiLine)) {
        auto* edit = new QPlainTextEdit(toQString(control.text), parent);
        edit->setReadOnly(has(control, style::ReadOnly));
        // As in any dialog, Tab goes on to the next control rather than into
        // the text, so the keyboard never gets stuck in it.
        edit->setTabChangesFocus(true);
        edit->setVerticalScrollBarPolicy(
            has(control, style::VerticalScroll) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        if (has(control, style::Centred)) {
            QTextOption option = edit->document()->defaultTextOption();
            option.setAlignment(Qt::AlignHCenter);
            edit->document()->setDefaultTextOption(option);
        }
        return edit;
    }
    auto* edit = new QLineEdit(toQString(control.text), parent);
    edit->setReadOnly(has(control, style::ReadOnly));
    edit->setAlignment(horizontalAlignment(control) | Qt::AlignVCenter);
    return edit;
}

QWidget* makeLine(bool horizontal, QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(horizontal ? QFrame::HLine : QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

QWidget* makeControl(const ControlTemplate& control, QWidget* parent) {
    const QString text = toQString(control.text);
    switch (control.kind) {
    case ControlKind::PushButton: {
        auto* button = new QPushButton(text, parent);
        button->setAutoDefault(false);
        button->setDefault(has(control, style::DefaultButton));
        return button;
    }
    case ControlKind::ImageButton:
        return new ImageButton(text, parent);
    case ControlKind::Static:
        return makeStatic(control, parent);
    case ControlKind::GroupBox:
        return new QGroupBox(text, parent);
    case ControlKind::Edit:
        return makeEdit(control, parent);
    case ControlKind::ListBox: {
        auto* list = new QListWidget(parent);
        list->setSortingEnabled(has(control, style::Sorted));
        list->setUniformItemSizes(true);
        return list;
    }
    case ControlKind::DropDownList:
        return new QComboBox(parent);
    case ControlKind::CheckBox:
        return new QCheckBox(text, parent);
    case ControlKind::RadioButton:
        return new QRadioButton(text, parent);
    case ControlKind::TabControl:
        return new QTabWidget(parent);
    case ControlKind::Trackbar:
        return new QSlider(has(control, style::Vertical) ? Qt::Vertical : Qt::Horizontal, parent);
    case ControlKind::UpDown: {
        auto* spin = new QSpinBox(parent);
        spin->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
        return spin;
    }
    case ControlKind::EtchedHorizontalLine:
        return makeLine(true, parent);
    case ControlKind::EtchedVerticalLine:
        return makeLine(false, parent);
    case ControlKind::Picture: {
        auto* picture = new QLabel(parent);
        picture->setAlignment(Qt::AlignCenter);
        return picture;
    }
    case ControlKind::LinkLabel: {
        auto* link = new LinkLabel(text, parent);
        link->setAlignment(horizontalAlignment(control) | Qt::AlignTop);
        return link;
    }
    }
    return new QWidget(parent);
}

// A drop-down list's template height includes its open list; closed, it is
// as tall as the style makes it.
QRect placement(const ControlTemplate& control, const QWidget& widget) {
    QRect rect = has(control, style::ClientPixels) ? QRect(control.rect.x, control.rect.y,
                                                           control.rect.width, control.rect.height)
                                                   : toPixels(control.rect);
    if (control.kind == ControlKind::DropDownList) {
        rect.setHeight(widget.sizeHint().height());
    }
    return rect;
}

} // namespace

QFont dialogFont() {
    QFont font;
    // 8-point text at 96 dpi: the size the dialog units were measured with.
    font.setPixelSize(11);
    return font;
}

QRect toPixels(const resources::DialogRect& rect) {
    return QRect(resources::dialogUnitsToPixelsX(rect.x), resources::dialogUnitsToPixelsY(rect.y),
                 resources::dialogUnitsToPixelsX(rect.width),
                 resources::dialogUnitsToPixelsY(rect.height));
}

QString controlName(int id) {
    return QStringLiteral("control_%1").arg(id);
}

void buildDialog(QWidget& dialog, const resources::DialogTemplate& layout, DialogSizing sizing,
                 const ControlFactory& factory) {
    dialog.setFont(dialogFont());
    const QSize size(resources::dialogUnitsToPixelsX(layout.width),
                     resources::dialogUnitsToPixelsY(layout.height));
    if (sizing == DialogSizing::FixedWindow) {
        dialog.setFixedSize(size);
    } else {
        dialog.resize(size);
    }
    if (!layout.caption.empty())
        dialog.setWindowTitle(toQString(layout.caption));

    QButtonGroup* radioGroup = nullptr;
    std::vector<QWidget*> frames;
    for (const ControlTemplate& control : layout.controls) {
        QWidget* widget = factory ? factory(control, &dialog) : nullptr;
        if (widget == nullptr)
            widget = makeControl(control, &dialog);
        widget->setObjectName(controlName(control.id));
        widget->setProperty("controlId", control.id);
        widget->setGeometry(placement(control, *widget));
        widget->setVisible(!has(control, style::Hidden));
        widget->setEnabled(!has(control, style::Disabled));
        if (has(control, style::Checked)) {
            if (auto* button = qobject_cast<QAbstractButton*>(widget))
                button->setChecked(true);
        }

        if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
            if (radioGroup == nullptr || has(control, style::GroupStart)) {
                radioGroup = new QButtonGroup(&dialog);
            }
            radioGroup->addButton(radio);
        } else {
            radioGroup = nullptr;
        }
        if (control.kind == ControlKind::GroupBox ||
            control.kind == ControlKind::EtchedHorizontalLine ||
            control.kind == ControlKind::EtchedVerticalLine) {
            frames.push_back(widget);
        }
    }
    // Frames only surround other controls; kept below them so they never hide
    // or catch the clicks of what lies inside.
    for (auto it = frames.rbegin(); it != frames.rend(); ++it)
        (*it)->lower();
}

} // namespace strumvale::uikit
