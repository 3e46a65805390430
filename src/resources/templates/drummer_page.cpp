#include "resources/templates/drummer_page.h"

namespace strumvale::resources {

const DialogTemplate& drummerPageTemplate() {
    static const DialogTemplate kTemplate{0, 0, 0, "", {}};
    return kTemplate;
}

} // namespace strumvale::resources
