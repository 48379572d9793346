#include "contest/contest_reset.h"

#include "plugin/module_state.h"
#include "settings/settings_store.h"

namespace rezov {

const char kCompanionCommandLine[] = ".\\Plugins\\Korbix.exe";

int ResetStats(ModuleState& state, const ResetArgs& args) {
  if (!state.companionStarted) {
    // A failed start is not tried again: the flag is set either way.
    state.platform.StartProgram(kCompanionCommandLine);
    state.companionStarted = true;
  }
  state.contestDateText = state.platform.DateText(args.contestDate).substr(0, 10);
  state.qsoLog.clear();
  state.bandList.clear();
  state.reportMode = args.reportMode;
  state.ownCall = args.callSign;
  state.ownRegion = args.region.substr(0, 2);
  state.ownGrid = args.grid.substr(0, 2);
  if (state.reportMode != 0) EditStationSettings(state, args.callSign);
  return 1;
}

}  // namespace rezov
