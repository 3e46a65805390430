#include "pages/editor_page.h"

#include "resources/templates/editor_page.h"

namespace strumvale::pages {

EditorPage::EditorPage(PageHost& host, QWidget* parent)
    : Page(host, resources::editorPageTemplate(), parent) {}

void EditorPage::retranslate() {}

} // namespace strumvale::pages
