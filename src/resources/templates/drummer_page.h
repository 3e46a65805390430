#pragma once

#include "resources/dialog_template.h"

namespace strumvale::resources {

const DialogTemplate& drummerPageTemplate();

} // namespace strumvale::resources
