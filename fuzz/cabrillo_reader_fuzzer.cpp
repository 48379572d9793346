// The replay tool's Cabrillo reader on arbitrary bytes.
#include <cstdint>
#include <string>

#include "fuzz/contact_log_checks.h"
#include "tools/logs/cabrillo_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  (void)rezov::LooksLikeCabrillo(bytes);
  rezov::fuzz::CheckContactLog(rezov::ReadCabrillo(bytes), bytes);
  return 0;
}
