#include "tools/logs/log_text.h"

#include "platform/cp1251.h"

namespace rezov {
namespace {

bool StartsWith(const std::string& bytes, const char* mark) {
  return bytes.compare(0, 2, mark) == 0;
}

void LoneCarriageReturnsToLineFeeds(std::string& text) {
  for (std::size_t i = text.find('\r'); i != std::string::npos; i = text.find('\r', i + 1)) {
    if (i + 1 == text.size() || text[i + 1] != '\n') text[i] = '\n';
  }
}

}  // namespace

std::string LogText(std::string bytes) {
  if (StartsWith(bytes, "\xFF\xFE") || StartsWith(bytes, "\xFE\xFF")) {
    bytes = Utf16ToUtf8(bytes, 2, bytes[0] == '\xFE');
  }
  LoneCarriageReturnsToLineFeeds(bytes);
  return bytes;
}

}  // namespace rezov
