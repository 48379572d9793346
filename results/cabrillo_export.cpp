#include "results/cabrillo_export.h"

#include <cstdio>

namespace rezov {

const char kHeaderExtensionFile[] = "cabrillo.ini";

namespace {

// printf's "%-Ns" and "%Ns": a longer value is written whole.
std::string LeftAligned(const std::string& text, std::size_t width) {
  return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

std::string RightAligned(const std::string& text, std::size_t width) {
  return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::string TwoDigits(int n) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d", n);
  return text;
}

std::string HeaderLine(const char* tag, const std::string& value) {
  return std::string(tag) + value + "\r\n";
}

std::string FileName(const StationSettings& s) { return s.fileBase + ".cbr"; }

}  // namespace

std::string modeToCabrillo(const std::string& mode) {
  if (mode == "CW") return "CW";
  if (mode == "SSB") return "PH";
  return "PM";
}

std::string CabrilloDateTime(const OleDate& time) {
  const std::optional<CalendarTime> t = ToCalendar(time);
  if (!t) return std::string();
  return std::to_string(t->year) + "-" + TwoDigits(t->month) + "-" + TwoDigits(t->day) + " " +
         TwoDigits(t->hour) + TwoDigits(t->minute);
}

void AppendQsoLine(StationSettings& settings, const std::string& call, std::int32_t freqKhz,
                   const std::string& cabrilloMode, const OleDate& time,
                   const std::string& sentExchange, const std::string& rcvdExchange) {
  settings.qsoLines.push_back(
      "QSO: " + RightAligned(std::to_string(freqKhz), 5) + " " +
      RightAligned(cabrilloMode, 2) + " " + CabrilloDateTime(time) + " " +
      LeftAligned(settings.callSign, 13) + " " + LeftAligned(sentExchange, 10) + " " +
      LeftAligned(call, 12) + "  " + rcvdExchange + "\r\n");
}

std::string CabrilloFileBytes(const StationSettings& s, std::int32_t claimedScore,
                              const std::string& headerExtension) {
  std::string bytes = "START-OF-LOG: 3.0\r\nCONTEST: MSK\r\n";
  bytes += HeaderLine("CALLSIGN: ", s.callSign);
  bytes += HeaderLine("CATEGORY-OPERATOR: ", s.categoryOperator);
  bytes += HeaderLine("CATEGORY-BAND: ", s.categoryBand);
  bytes += HeaderLine("CATEGORY-POWER: ", s.categoryPower);
  bytes += HeaderLine("CATEGORY-OVERLAY: ", s.categoryOverlay);
  bytes += HeaderLine("LOCATION: ", s.location);
  bytes += HeaderLine("CLAIMED-SCORE: ", std::to_string(claimedScore));
  bytes += HeaderLine("CLUB: ", s.club);
  bytes += "CREATED-BY: Lunt \r\n";
  bytes += HeaderLine("NAME: ", s.name);
  bytes += HeaderLine("ADDRESS: ", s.address);
  bytes += HeaderLine("OPERATORS: ", s.operators);
  bytes += HeaderLine("EMAIL: ", s.email);
  bytes += HeaderLine("SOAPBOX: ", s.soapBox);
  bytes += headerExtension;
  for (const std::string& line : s.qsoLines) bytes += line;
  bytes += "END-OF-LOG:\r\n";
  return bytes;
}

Status WriteCabrilloFile(Platform& platform, const StationSettings& settings,
                         std::int32_t claimedScore) {
  // A header extension file that can be neither read nor created adds
  // nothing; the log is written all the same.
  const std::string extension =
      platform.ReadOrCreateFile(kHeaderExtensionFile).value_or(std::string());
  return platform.WriteWholeFile(FileName(settings),
                                 CabrilloFileBytes(settings, claimedScore, extension));
}

void ExportCabrillo(Platform& platform, StationSettings& s, const QsoLog& log,
                    std::int32_t claimedScore, int* result) {
  // Each export lists every stored contact exactly once.
  s.qsoLines.clear();
  for (std::size_t i = 0; i < log.size(); ++i) {
    const QsoRecord& r = log.at(i);
    AppendQsoLine(s, r.call, r.freqKhz, modeToCabrillo(r.mode), r.time, r.sentExchange,
                  r.rcvdExchange);
  }
  const std::string name = FileName(s);
  if (WriteCabrilloFile(platform, s, claimedScore)) {
    platform.ShowMessage(MessageOwner::kActiveWindow, "File produced: " + name,
                         std::string("Output"), kMessageInformation);
  } else {
    platform.ShowMessage(MessageOwner::kActiveWindow, "File not produced: " + name,
                         std::string("Output"), kMessageWarning);
  }
  if (result) *result = -1;
}

}  // namespace rezov
