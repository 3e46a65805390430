#pragma once

#include "resources/dialog_template.h"

namespace strumvale::resources {

const DialogTemplate& editorPageTemplate();

} // namespace strumvale::resources
