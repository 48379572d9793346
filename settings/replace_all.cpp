#include "settings/replace_all.h"

namespace rezov {

std::string ReplaceAll(const std::string& source, const std::string& search,
                       const std::string& replacement) {
  if (search.empty()) return source;
  std::string result;
  std::string::size_type from = 0;
  for (;;) {
    const std::string::size_type at = source.find(search, from);
    if (at == std::string::npos) break;
    result.append(source, from, at - from);
    result += replacement;
    from = at + search.size();
  }
  result.append(source, from, std::string::npos);
  return result;
}

}  // namespace rezov
