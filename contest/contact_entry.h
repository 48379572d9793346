// Adding contacts to the log and taking them out again.
#pragma once

#include <cstdint>
#include <string>

#include "contest/band_list.h"
#include "contest/qso_log.h"
#include "platform/ole_date.h"

namespace rezov {

// The arguments of AddData0 and RemoveData0 that the module reads.
struct ContactArgs {
  std::string call;          // 1
  OleDate time;              // 2
  std::uint32_t freqHz = 0;  // 7
  std::string mode;          // 8
  std::string sentInfo;      // 9
  std::string rcvdInfo;      // 10
  std::string sentNumber;    // 11
  std::string rcvdExchange;  // 12
  std::string country;       // 22
  std::string auxText;       // 29
  std::string band;          // 31
};

struct NormalisedExchange {
  std::string text;    // number, a blank, region: as a rule six characters
  std::string region;  // up to two characters
};

// The host's received exchange as the log stores it. A five-character
// exchange is a three-character number and a two-character region; any other
// length is read as number, separator, region, and the separator becomes a
// blank. Positions past the end read as the end.
NormalisedExchange NormaliseExchange(const std::string& exchange);

// True for the country prefixes of Russia: exactly "UA", "UA2" or "UA9".
bool IsRussianPrefix(const std::string& country);

// The record a contact becomes, with its one multiplier key and the sent
// exchange ending in the operator's region.
QsoRecord BuildRecord(const ContactArgs& contact, const std::string& ownRegion);

// Records the band and stores the contact unless an identical record is
// already there. Always 1.
int AddData(QsoLog& log, BandList& bands, const std::string& ownRegion,
            const ContactArgs& contact);

// Takes one contact out: the first record identical to the one AddData would
// build from the same arguments, else the first with the same call, mode and
// band. 0 when the received exchange or the sent number is empty (nothing
// changes), else 1.
int RemoveData(QsoLog& log, const std::string& ownRegion, const ContactArgs& contact);

}  // namespace rezov
