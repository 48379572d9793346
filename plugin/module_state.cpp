#include "plugin/module_state.h"

#include "results/cabrillo_export.h"
#include "results/score_summary.h"
#include "settings/settings_store.h"

namespace rezov {

int ResetStats(ModuleState& state, const ResetArgs& args) {
  StartCompanionOnce(state.platform, state.companionStarted);
  state.contestDateText = ContestDateText(state.platform, args.contestDate);
  state.qsoLog.clear();
  state.bandList.clear();
  state.reportMode = args.reportMode;
  state.ownCall = args.callSign;
  state.ownRegion = TwoCharacterCode(args.region);
  state.ownGrid = TwoCharacterCode(args.grid);
  if (state.reportMode != 0) {
    EditStationSettings(state.platform, state.stationSettings, args.callSign);
  }
  return 1;
}

int AddData(ModuleState& state, const ContactArgs& contact) {
  return AddData(state.qsoLog, state.bandList, state.ownRegion, contact);
}

int RemoveData(ModuleState& state, const ContactArgs& contact) {
  return RemoveData(state.qsoLog, state.ownRegion, contact);
}

CheckOutcome CheckCall(const ModuleState& state, UtcTime now, const CheckArgs& args) {
  return CheckCall(state.qsoLog, now, args);
}

const char* GetResult(ModuleState& state, int* result) {
  const Score score = ComputeScore(state.qsoLog, state.bandList, state.ownGrid);
  state.summaryText = SummaryText(state.contestDateText, state.ownCall, state.bandList, score);
  state.claimedScore = score.score;
  if (result) *result = score.score;
  StoreClaimedScore(state.platform, score.score);
  if (state.reportMode != 0) {
    ExportCabrillo(state.platform, state.stationSettings, state.qsoLog, state.claimedScore,
                   result);
  }
  return state.summaryText.c_str();
}

}  // namespace rezov
