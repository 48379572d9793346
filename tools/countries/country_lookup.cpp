#include "tools/countries/country_lookup.h"

#include "platform/read_file.h"

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

Status CountryLookup::Load() {
  if (loaded_) return {};
  const Result<std::string> bytes = ReadFileContents(datPath_);
  if (!bytes) {
    return Fail("cannot read the country file " + datPath_ + ": " + bytes.error() +
                " (install it with 'apt-get install hamradio-files' or name another with "
                "--cty FILE)");
  }
  if (const Status parsed = file_.Parse(*bytes); !parsed) {
    return Fail("the country file " + datPath_ + " is not a cty.dat country file: " +
                parsed.error() +
                " (install the standard one with 'apt-get install hamradio-files' or name "
                "another with --cty FILE)");
  }
  const Result<std::string> csv = ReadFileContents(CsvPath());
  haveCsv_ = csv && file_.AddDxccNumbers(*csv) > 0;
  loaded_ = true;
  return {};
}

Result<std::string> CountryLookup::ForCall(const std::string& call) {
  if (const Status loaded = Load(); !loaded) return loaded.failure();
  return file_.PrefixOfCall(call).value_or(std::string());
}

Status CountryLookup::Resolve(ContactLog& log) {
  for (LogContact& c : log.contacts) {
    if (std::optional<std::string> russian = RussianDxccPrefix(c.dxcc)) {
      c.country = *russian;
      continue;
    }
    if (const Status loaded = Load(); !loaded) return loaded;
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
  return {};
}

}  // namespace rezov
