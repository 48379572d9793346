#pragma once

#include <string>

namespace rezov {

// `source` with every occurrence of `search` replaced by `replacement`,
// scanning left to right; occurrences never overlap and inserted text is
// never searched again. `search` must not be empty.
std::string ReplaceAll(const std::string& source, const std::string& search,
                       const std::string& replacement);

}  // namespace rezov
