// The score of the stored log and its printable summary.
#pragma once

#include <cstdint>
#include <string>

namespace rezov {

struct ModuleState;
class BandList;

// Puts the band names into summary order: descending by their texts padded
// with leading zeros to 20 characters, so numeric bands come out longest
// wavelength first ("160" before "80"). Entries equal after padding keep the
// order the exchange sort leaves them in.
void BandOrder(BandList& bands);

// Recomputes the score from the whole log, rebuilds `summaryText`, stores the
// score in `claimedScore`, `*result` (when given) and the settings file, and
// in report mode ends with the Cabrillo export. Returns the summary text.
const char* GetResult(ModuleState& state, int* result);

}  // namespace rezov
