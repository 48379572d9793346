// Everything the module keeps from load to unload, in one object built
// around the platform it talks to. The exported functions use one instance
// bound to the native platform; tests build fresh ones around a fake.
#pragma once

#include <string>

#include "contest/qso_record.h"
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

}  // namespace rezov
