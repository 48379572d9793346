#include "tests/wine/version_info.h"

#include <winver.h>

#include <cstdio>

namespace rezov {

std::optional<VersionInfo> VersionInfo::Read(const std::string& path) {
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), nullptr);
  if (size == 0) return std::nullopt;
  VersionInfo info;
  info.bytes_.resize(size);
  if (!GetFileVersionInfoA(path.c_str(), 0, size, info.bytes_.data())) return std::nullopt;
  void* fixed = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(info.bytes_.data(), "\\", &fixed, &length) ||
      length < sizeof(VS_FIXEDFILEINFO)) {
    return std::nullopt;
  }
  info.fixed_ = *static_cast<const VS_FIXEDFILEINFO*>(fixed);
  void* translation = nullptr;
  if (VerQueryValueA(info.bytes_.data(), "\\VarFileInfo\\Translation", &translation, &length) &&
      length >= 2 * sizeof(WORD)) {
    const WORD* pair = static_cast<const WORD*>(translation);
    char hex[9];
    std::snprintf(hex, sizeof hex, "%04x%04x", pair[0], pair[1]);
    info.translation_ = hex;
  }
  return info;
}

std::optional<std::string> VersionInfo::String(const std::string& name) const {
  void* value = nullptr;
  UINT length = 0;
  const std::string key = "\\StringFileInfo\\" + translation_ + "\\" + name;
  if (translation_.empty() || !VerQueryValueA(bytes_.data(), key.c_str(), &value, &length) ||
      length == 0) {
    return std::nullopt;
  }
  return std::string(static_cast<const char*>(value));
}

}  // namespace rezov
