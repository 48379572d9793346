#include "tools/logs/log_format.h"

#include "tools/logs/adif_reader.h"
#include "tools/logs/cabrillo_reader.h"

namespace rezov {
namespace {

std::string Extension(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  const std::size_t dot = path.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  return UpperAscii(path.substr(dot + 1));
}

}  // namespace

Result<ReplayLog> ReadLog(const std::string& path, const std::string& bytes) {
  const std::string ext = Extension(path);
  if (ext == "ADI" || ext == "ADIF") return ReadAdif(bytes);
  if (ext == "CBR" || ext == "LOG") return ReadCabrillo(bytes);
  return LooksLikeCabrillo(bytes) ? ReadCabrillo(bytes) : ReadAdif(bytes);
}

}  // namespace rezov
