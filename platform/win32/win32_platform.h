// The platform on Windows: the Win32 calls the host's own programs use.
#pragma once

#include "platform/platform.h"

namespace rezov {

class Win32Platform : public Platform {
 public:
  REZOV_PLATFORM_OPERATIONS
};

}  // namespace rezov
