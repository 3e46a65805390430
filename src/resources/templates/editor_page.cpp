#include "resources/templates/editor_page.h"

namespace strumvale::resources {

const DialogTemplate& editorPageTemplate() {
    static const DialogTemplate kTemplate{0, 0, 0, "", {}};
    return kTemplate;
}

} // namespace strumvale::resources
