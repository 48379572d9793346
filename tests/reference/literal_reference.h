// The contest rules written out as plainly as they can be: every search a
// linear scan over the log from index 0, every seen-list a vector searched
// with std::find, the band order the exchange sort as it is stated. It is
// slow on purpose and shares no search, index or counting code with the
// core, so that the differential tests can hold the core's results against
// it and benchmarks can measure the distance.
//
// Test-only code: never linked into the module.
#pragma once

#include "contest/call_check.h"
#include "contest/contact_entry.h"
#include "contest/contest_reset.h"
#include "plugin/module_state.h"

namespace rezov::reference {

// Starts a fresh run: companion start on the first call, contest date text,
// empty log and band list, the run's own values, and in report mode the
// review of the station settings. Always 1.
int ResetStats(ModuleState& state, const ResetArgs& args);

// Collects the band and appends the contact's record unless an equal one is
// stored. Always 1.
int AddData(ModuleState& state, const ContactArgs& contact);

// Removes the first record equal to the one AddData would build from the
// same arguments, else the first with the same call, mode and band. 0 when
// the received exchange or the sent number is empty, else 1.
int RemoveData(ModuleState& state, const ContactArgs& contact);

// The repeat check and the multiplier answer; reads the log only.
CheckOutcome CheckCall(const ModuleState& state, UtcTime now, const CheckArgs& args);

// The score summary, "Claimed", and in report mode the Cabrillo export.
const char* GetResult(ModuleState& state, int* result);

}  // namespace rezov::reference
