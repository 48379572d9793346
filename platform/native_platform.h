// The platform of the OS the module was built for; each backend defines it.
#pragma once

#include "platform/platform.h"

namespace rezov {

Platform& NativePlatform();

}  // namespace rezov
