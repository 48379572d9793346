// The country prefix the host hands to the module with every contact
// (argument 22 of AddData0) and with a checked call.
#pragma once

#include <optional>
#include <string>

#include "tools/countries/country_file.h"
#include "tools/logs/contact_log.h"

namespace rezov {

extern const char kDefaultCountryFile[];

// The three Russian entities the module knows, without any file:
// 54 European Russia "UA", 126 Kaliningrad "UA2", 15 Asiatic Russia "UA9".
std::optional<std::string> RussianDxccPrefix(int dxcc);

// Looks countries up in a country file that is read only when a contact
// needs it: a DXCC code of the log other than the three Russian ones is
// looked up in the cty.csv beside the file (same name, extension .csv);
// without a code, or when that fails, the call is looked up in the file.
class CountryLookup {
 public:
  explicit CountryLookup(std::string datPath) : datPath_(std::move(datPath)) {}

  // Fills in `country` of every contact of `log`, adding a note for each
  // contact whose entity stays unknown (its country is then empty). Fails
  // when the country file is needed and cannot be read.
  Status Resolve(ContactLog& log);

  // The primary prefix of a call's entity, empty when the file knows none.
  // Fails when the file cannot be read.
  Result<std::string> ForCall(const std::string& call);

 private:
  Status Load();
  std::string CsvPath() const;

  std::string datPath_;
  bool loaded_ = false;
  bool haveCsv_ = false;
  CountryFile file_;
};

}  // namespace rezov
