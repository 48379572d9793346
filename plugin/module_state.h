// Everything the module keeps from load to unload, in one object built
// around the platform it talks to, and the five operations of the host's
// calls on it. The exported functions use one instance bound to the native
// platform; tests build fresh ones around a fake.
#pragma once

#include <cstdint>
#include <string>

#include "contest/band_list.h"
#include "contest/call_check.h"
#include "contest/contact_entry.h"
#include "contest/contest_reset.h"
#include "contest/qso_log.h"
#include "platform/platform.h"
#include "settings/station_settings.h"

namespace rezov {

struct ModuleState {
  explicit ModuleState(Platform& p) : platform(p) {}
  ModuleState(const ModuleState&) = delete;
  ModuleState& operator=(const ModuleState&) = delete;

  Platform& platform;

  QsoLog qsoLog;
  BandList bandList;
  StationSettings stationSettings;

  std::string summaryText;
  std::int32_t claimedScore = 0;

  // Set by every reset.
  std::string ownCall;
  std::string contestDateText;
  std::string ownRegion;
  std::string ownGrid;
  int reportMode = 0;

  bool companionStarted = false;
};

// Empties the log and the band list and records the values of this run; the
// first reset after load starts the companion program, and a reset in report
// mode lets the operator review the station settings. Always 1.
int ResetStats(ModuleState& state, const ResetArgs& args);

// AddData and RemoveData of the contest log, with the run's own region.
int AddData(ModuleState& state, const ContactArgs& contact);
int RemoveData(ModuleState& state, const ContactArgs& contact);

// The check of a call against the log at the clock reading `now`.
CheckOutcome CheckCall(const ModuleState& state, UtcTime now, const CheckArgs& args);

// Recomputes the score from the whole log, rebuilds `summaryText`, stores the
// score in `claimedScore`, `*result` (when given) and the settings file, and
// in report mode ends with the Cabrillo export. Returns the summary text.
const char* GetResult(ModuleState& state, int* result);

}  // namespace rezov
