// The contest log as a Cabrillo 3.0 file.
#pragma once

#include <cstdint>
#include <string>

#include "contest/qso_log.h"
#include "platform/ole_date.h"
#include "platform/platform.h"
#include "platform/result.h"
#include "settings/station_settings.h"

namespace rezov {

extern const char kHeaderExtensionFile[];

// The two-letter Cabrillo mode: "CW" for CW, "PH" for SSB, "PM" otherwise.
std::string modeToCabrillo(const std::string& mode);

// "yyyy-mm-dd hhmm" of the time rounded to the second; empty when the time
// has no clock reading.
std::string CabrilloDateTime(const OleDate& time);

// Formats one QSO line (CR LF included) and appends it to `qsoLines`.
void AppendQsoLine(StationSettings& settings, const std::string& call, std::int32_t freqKhz,
                   const std::string& cabrilloMode, const OleDate& time,
                   const std::string& sentExchange, const std::string& rcvdExchange);

// The complete file: header, the header extension bytes, the QSO lines.
std::string CabrilloFileBytes(const StationSettings& settings, std::int32_t claimedScore,
                              const std::string& headerExtension);

// Writes the file from the record, the score and `qsoLines`, whole or not
// at all: on failure the previous file stays byte for byte.
Status WriteCabrilloFile(Platform& platform, const StationSettings& settings,
                         std::int32_t claimedScore);

// Writes the Cabrillo file of the stored log, tells the operator whether it
// was produced and puts -1 into `*result` (when given).
void ExportCabrillo(Platform& platform, StationSettings& settings, const QsoLog& log,
                    std::int32_t claimedScore, int* result);

}  // namespace rezov
