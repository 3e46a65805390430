#include "resources/templates/playlist_page.h"

namespace strumvale::resources {

const DialogTemplate& playlistPageTemplate() {
    static const DialogTemplate kTemplate{0, 0, 0, "", {}};
    return kTemplate;
}

} // namespace strumvale::resources
