#include "tools/country_lookup.h"

#include "tools/file_bytes.h"

namespace rezov {

const char kDefaultCountryFile[] = "/usr/share/hamradio-files/cty.dat";

std::optional<std::string> RussianDxccPrefix(int dxcc) {
  switch (dxcc) {
    case 54: return std::string("UA");
    case 126: return std::string("UA2");
    case 15: return std::string("UA9");
    default: return std::nullopt;
  }
}

std::string CountryLookup::CsvPath() const {
  const std::size_t slash = datPath_.find_last_of("/\\");
  const std::size_t dot = datPath_.rfind('.');
  const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  return (hasExtension ? datPath_.substr(0, dot) : datPath_) + ".csv";
}

bool CountryLookup::Load(std::string& error) {
  if (loaded_) return true;
  std::string bytes;
  std::string why;
  if (!ReadFileBytes(datPath_, bytes, why)) {
    error = "cannot read the country file " + datPath_ + ": " + why +
            " (install it with 'apt-get install hamradio-files' or name another with --cty FILE)";
    return false;
  }
  if (!file_.Parse(bytes, why)) {
    error = "the country file " + datPath_ + " is not a cty.dat country file: " + why +
            " (install the standard one with 'apt-get install hamradio-files' or name another "
            "with --cty FILE)";
    return false;
  }
  std::string csv;
  haveCsv_ = ReadFileBytes(CsvPath(), csv, why) && file_.AddDxccNumbers(csv) > 0;
  loaded_ = true;
  return true;
}

bool CountryLookup::ForCall(const std::string& call, std::string& prefix, std::string& error) {
  if (!Load(error)) return false;
  prefix = file_.PrefixOfCall(call).value_or(std::string());
  return true;
}

bool CountryLookup::Resolve(ReplayLog& log, std::string& error) {
  for (ReplayContact& c : log.contacts) {
    if (std::optional<std::string> russian = RussianDxccPrefix(c.dxcc)) {
      c.country = *russian;
      continue;
    }
    if (!Load(error)) return false;
    if (c.dxcc >= 0) {
      if (std::optional<std::string> known = file_.PrefixOfDxcc(c.dxcc)) {
        c.country = *known;
        continue;
      }
      log.notes.push_back(
          {c.where, "DXCC " + std::to_string(c.dxcc) +
                        (haveCsv_ ? " is not in " + CsvPath()
                                  : " cannot be looked up without " + CsvPath()) +
                        "; the country is taken from the call"});
    }
    c.country = file_.PrefixOfCall(c.call).value_or(std::string());
    if (c.country.empty()) {
      log.notes.push_back({c.where, "no entity for " + c.call + " in " + datPath_ +
                                        "; the country prefix is left empty"});
    }
  }
  return true;
}

}  // namespace rezov
