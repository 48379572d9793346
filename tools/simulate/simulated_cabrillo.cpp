#include "tools/simulate/simulated_cabrillo.h"

#include <cstdio>

#include "tools/definition/contest_score.h"

namespace rezov::simulate {
namespace {

std::string QsoLineText(const SimulatedLine& l) {
  const CalendarTime t = CivilOf(l.minute);
  char when[32];
  std::snprintf(when, sizeof when, "%04d-%02d-%02d %02d%02d", t.year, t.month, t.day, t.hour,
                t.minute);
  const std::string sent = adjudicate::ExchangeText(l.sent);
  char text[256];
  if (l.unreadable) {
    std::snprintf(text, sizeof text, "QSO: %5i %2s %s %-13s %-10s %-12s\r\n", l.freqKhz,
                  l.mode.c_str(), when, l.ownCall.c_str(), sent.c_str(), l.call.c_str());
  } else {
    std::snprintf(text, sizeof text, "QSO: %5i %2s %s %-13s %-10s %-12s  %s\r\n", l.freqKhz,
                  l.mode.c_str(), when, l.ownCall.c_str(), sent.c_str(), l.call.c_str(),
                  adjudicate::ExchangeText(l.rcvd).c_str());
  }
  return text;
}

// The claimed score, as the plug-in computed it when it wrote the file.
int ClaimedScore(const Station& station, const std::vector<SimulatedLine>& lines) {
  std::vector<const adjudicate::QsoLine*> contacts;
  for (const SimulatedLine& l : lines) {
    if (!l.unreadable) contacts.push_back(&l);
  }
  adjudicate::ScoredStation scored{station.call, "", station.loggedRegion, ""};
  if (!contacts.empty()) scored.dateText = HeadingDate(contacts.front()->minute);
  if (station.place == Place::kOutside) scored.ownGrid = station.loggedRegion;
  return adjudicate::ScoreContacts(scored, contacts).score;
}

}  // namespace

std::string SerialText(int serial) {
  char text[16];
  std::snprintf(text, sizeof text, "%03d", serial);
  return text;
}

std::string CabrilloText(const Station& station, const std::vector<SimulatedLine>& lines) {
  std::string out = "START-OF-LOG: 3.0\r\nCONTEST: MSK\r\nCALLSIGN: " + station.call +
                    "\r\nCATEGORY-OPERATOR: " + station.categoryOperator +
                    "\r\nCATEGORY-BAND: ALL\r\nCATEGORY-POWER: " + station.categoryPower +
                    "\r\nCLAIMED-SCORE: " + std::to_string(ClaimedScore(station, lines)) + "\r\n";
  for (const SimulatedLine& l : lines) out += QsoLineText(l);
  return out + "END-OF-LOG:\r\n";
}

}  // namespace rezov::simulate
