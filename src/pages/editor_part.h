#pragma once

#include <QMetaObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <string>
#include <vector>

class QLabel;
class QObject;
class QLineEdit;
class QListWidget;

namespace strumvale::fretboard {
class FretboardView;
}

namespace strumvale::pages {

class Page;

// What the chord and the scale editor of the Editor page share: the page, the
// neck they draw on, the list of entries and the entry's name and tab lines.
struct EditorControls {
    Page& page;
    fretboard::FretboardView& view;
    QListWidget& itemList;
    QLineEdit& nameEdit;
    QLabel& tabLabel;
    QLabel& tabLine;
};

// One of the Editor page's two editors. The page keeps the key list and the
// list handling both share; the selected key decides which editor is active,
// and only the active one draws on the view and serves the information panel.
class EditorPart {
public:
    virtual ~EditorPart() = default;

    // Captions what this editor shows, in the language in use.
    virtual void caption() = 0;
    // Takes the view and the information panel: their mode, captions, texts
    // and edit handlers.
    virtual void activate() = 0;
    // Lets go of the information panel's edits; does nothing when inactive.
    virtual void deactivate() = 0;

    // The names of the entries the list shows, in library order.
    virtual QStringList itemNames() const = 0;
    // Shows entry row on the view, the name edit and the tab line; a row
    // without an entry shows an empty one.
    virtual void showItem(int row) = 0;
    // A click changed the view's copy of the entry.
    virtual void takeViewEdit() = 0;
    // Stores the view's copy under name, which is not empty.
    virtual void store(const std::string& name) = 0;
    // Adds a new entry to the library, the last the list will show.
    virtual void addNew() = 0;
    // The library's side of removing entry row, or moving it by step (±1).
    virtual void remove(int row) = 0;
    virtual void move(int row, int step) = 0;
    virtual void play() = 0;
};

// The edit handlers an editor connects to the information panel while it is
// active; released, the panel's edits reach the editor no more.
class PanelHandlers {
public:
    PanelHandlers() = default;
    ~PanelHandlers() { release(); }
    PanelHandlers(const PanelHandlers&) = delete;
    PanelHandlers& operator=(const PanelHandlers&) = delete;

    // Calls onText with every change of edit's text until release; context
    // is the object whose thread and lifetime the handler follows.
    void onTextChanged(QLineEdit& edit, QObject& context,
                       std::function<void(const QString&)> onText);
    // Disconnects every handler; does nothing when none is connected.
    void release();

private:
    std::vector<QMetaObject::Connection> connections_;
};

// Selects a row without the selection handler: the view keeps what it shows.
void selectQuietly(QListWidget& list, int row);

// Sets an edit's text without its change handler: filling is not editing. A
// text longer than the edit shows its beginning.
void fillQuietly(QLineEdit& edit, const QString& text);

// An information box over the page, with the page's caption for it.
void showInformation(Page& page, const QString& text);

} // namespace strumvale::pages
