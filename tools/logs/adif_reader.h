// Reads an ADIF (.adi) log into the host's arguments, record by record.
#pragma once

#include <string>

#include "platform/result.h"
#include "tools/logs/contact_log.h"

namespace rezov {

// Every record of `bytes` that can be read becomes a contact; every other
// record is listed in `skipped` with its position and the reason, and the
// reading goes on after its <EOR>. A header (any text before the first
// field) must end with <EOH>; without one the file is no ADIF log.
Result<ContactLog> ReadAdif(const std::string& bytes);

}  // namespace rezov
