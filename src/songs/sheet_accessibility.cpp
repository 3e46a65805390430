#include "songs/sheet_accessibility.h"

#include "songs/song_sheet_view.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <vector>

namespace strumvale::songs {
namespace {

class LineAccessible : public QAccessibleInterface {
public:
    LineAccessible(SongSheetView* view, int index) : view_(view), index_(index) {}

    bool isValid() const override { return view_ && index_ < view_->lineCount(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return view_ ? view_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return view_ ? QAccessible::queryAccessibleInterface(view_.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QString text(QAccessible::Text kind) const override {
        return view_ && kind == QAccessible::Name ? view_->spokenLine(index_) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!view_)
            return {};
        const QRect local = view_->lineRect(index_);
        return QRect(view_->mapToGlobal(local.topLeft()), local.size());
    }
    QAccessible::Role role() const override { return QAccessible::StaticText; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.readOnly = true;
        state.invisible = !isValid();
        return state;
    }
    int index() const { return index_; }

private:
    QPointer<SongSheetView> view_;
    int index_;
};

class SheetAccessible : public QAccessibleWidget {
public:
    explicit SheetAccessible(SongSheetView* view)
        : QAccessibleWidget(view, QAccessible::Document), view_(view) {}
    ~SheetAccessible() override {
        for (QAccessible::Id id : lines_)
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return view_ ? view_->lineCount() : 0; }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount())
            return nullptr;
        // Each line's interface is made once and stays registered: it reads
        // whatever line stands at its place now.
        while (lines_.size() <= static_cast<std::size_t>(index)) {
            lines_.push_back(QAccessible::registerAccessibleInterface(
                new LineAccessible(view_, static_cast<int>(lines_.size()))));
        }
        return QAccessible::accessibleInterface(lines_[static_cast<std::size_t>(index)]);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto* line = dynamic_cast<const LineAccessible*>(child);
        return line && line->index() < childCount() ? line->index() : -1;
    }

private:
    QPointer<SongSheetView> view_;
    mutable std::vector<QAccessible::Id> lines_;
};

QAccessibleInterface* sheetFactory(const QString&, QObject* object) {
    if (auto* view = qobject_cast<SongSheetView*>(object))
        return new SheetAccessible(view);
    return nullptr;
}

} // namespace

void installSheetAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(sheetFactory);
        return true;
    }();
    (void)installed;
}

} // namespace strumvale::songs
