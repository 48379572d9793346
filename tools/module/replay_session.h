// The host's side of the calls: every argument of the module's parameter
// lists filled, the ones the module does not read with neutral values.
#pragma once

#include <optional>
#include <string>

#include "tools/module/module_loader.h"
#include "tools/logs/contact_log.h"

namespace rezov {

// What the host passes to ResetStats0 about the operator's station.
struct StationValues {
  std::string call;
  std::string region;
  std::string grid;
  std::optional<CalendarTime> date;  // none: a null date
};

void ResetModule(const ModuleEntryPoints& module, int reportMode, const StationValues& station);

void AddContact(const ModuleEntryPoints& module, const LogContact& contact);

struct CheckRequest {
  std::string call;
  std::string mode;
  std::optional<std::string> country;  // none: a null pointer
  std::string region;
  std::string band;
};

struct CheckAnswer {
  int result = 0;
  std::optional<std::string> message;  // Windows-1251, as the module wrote it
};

// CheckCall0 for the call now: the module reads the UTC clock itself.
CheckAnswer CheckCallNow(const ModuleEntryPoints& module, const CheckRequest& request);

struct ScoreAnswer {
  std::string summary;  // with the module's CR LF line ends
  int result = 0;
  ModuleNotices notices;  // what the module told the operator meanwhile
};

// GetResult0, receiving the module's message boxes as the operator would.
ScoreAnswer GetScore(const ModuleEntryPoints& module);

}  // namespace rezov
