// The station settings kept in the profile file between runs.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"
#include "settings/station_settings.h"

namespace rezov {

extern const char kSettingsFile[];
extern const char kSettingsSection[];
// Values are read through a buffer of this many bytes: at most one less
// comes back.
constexpr std::size_t kSettingsReadBuffer = 10000;

// The three forms of the multi-line fields. Display form has CR LF line
// breaks; stored form spells them "<CR>" and "<LF>" so the value takes one
// line of the profile file; continuation form repeats the Cabrillo tag after
// every line break, so that one header line per field line comes out.
std::string StoredToDisplay(const std::string& text);
std::string DisplayToStored(const std::string& text);
std::string StoredToContinuation(const std::string& text, const std::string& tag);

// The Cabrillo file name base for a call sign: slashes and backslashes
// become "_", surrounding white space goes; "VARNO" when nothing is left.
std::string FileBaseFor(const std::string& callSign);

// Loads the station settings, lets the operator review them in the setup
// dialog and, when confirmed, saves them. Either way the record is left
// ready for the Cabrillo header. 1 when the operator confirmed, else 0.
int EditStationSettings(Platform& platform, StationSettings& settings,
                        const std::string& callSign);

// Keeps the score in the settings file as "Claimed", where the next setup
// dialog shows it. A file that cannot take it keeps its old value whole;
// the module reports nothing.
void StoreClaimedScore(Platform& platform, std::int32_t score);

}  // namespace rezov
