#include "resources/templates/tuner_page.h"

namespace strumvale::resources {

const DialogTemplate& tunerPageTemplate() {
    static const DialogTemplate kTemplate{0, 0, 0, "", {}};
    return kTemplate;
}

} // namespace strumvale::resources
