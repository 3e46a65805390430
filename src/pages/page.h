#pragma once

#include "pages/page_host.h"
#include "resources/dialog_template.h"
#include "uikit/dialog_builder.h"

#include <QString>
#include <QWidget>
#include <string_view>
#include <vector>

namespace strumvale::sound {
class ChordPlayer;
}

namespace strumvale::pages {

// A tab page of the main window, built from its template. Every page keeps its
// captions in the current language.
class Page : public QWidget {
    Q_OBJECT
public:
    Page(PageHost& host, const resources::DialogTemplate& layout, QWidget* parent = nullptr);

    virtual void retranslate() = 0;
    // The page's controls in the order Tab reaches them: as the page reads,
    // the neck or the grid first, then each group of controls top to bottom.
    virtual std::vector<QWidget*> tabOrder() const = 0;

    PageHost& host() const { return host_; }
    ChordLibrary& library() const { return host_.library(); }
    // The text to show for an English key, in the language in use.
    QString translate(std::string_view key) const;
    // The chord player with the settings' chord speed, decay and instrument,
    // as every strum a page starts uses them.
    sound::ChordPlayer& strummingPlayer() const;

    template <typename Widget, typename Id> Widget* control(Id id) const {
        return uikit::control<Widget>(*this, id);
    }

protected:
    // Enter and Escape stay on the page instead of closing the main window.
    void keyPressEvent(QKeyEvent* event) override;

private:
    PageHost& host_;
};

} // namespace strumvale::pages
