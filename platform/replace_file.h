// The one function through which every file the project writes reaches the
// disk: the Cabrillo log, the settings file, the report page, the checker's
// output. Declared once here, defined once per operating system.
#pragma once

#include <functional>
#include <string>

#include "platform/result.h"

namespace rezov {

// Puts `bytes` in place of the file at `path` (a path of this system),
// whole or not at all: at every moment the name holds either the complete
// old file or the complete new one.
//
// The bytes go to a temporary file in the target's folder, which is flushed
// to the disk and then renamed over the target. When any step fails (no
// space, a write error, no permission, a target held open by another
// program past a short wait), the temporary file is removed, the target
// stays byte for byte as it was, and the Result says why. A read-only target
// and a folder are never replaced. A replaced file keeps its permission bits
// (and its owner where the system allows), and a symbolic link is followed:
// the file it names is replaced, the link stays a link.
Status ReplaceFileContents(const std::string& path, const std::string& bytes);

// The content of a file made in parts: each call puts the next part in
// `part` (given empty) and returns true, or returns false when the content
// is complete.
using ContentParts = std::function<bool(std::string& part)>;

// ReplaceFileContents for content too large to hold whole in memory: the
// parts `next` gives go to the temporary file one after the other, and the
// file takes the target's name only once the last part is written, so the
// name still holds either the complete old file or the complete new one.
Status ReplaceFileContentsInParts(const std::string& path, const ContentParts& next);

}  // namespace rezov
