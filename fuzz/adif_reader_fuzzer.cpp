// The replay tool's ADIF reader on arbitrary bytes.
#include <cstdint>
#include <string>

#include "fuzz/contact_log_checks.h"
#include "tools/logs/adif_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  rezov::fuzz::CheckContactLog(rezov::ReadAdif(bytes), bytes);
  return 0;
}
