// Each rule is written the way it is stated, in the order it is stated. Of
// the core this file uses only the data types (QsoRecord, QsoLog through
// size/at/append/removeAt/clear, BandList through size/at/append/clear,
// StationSettings, SetupDialog) and the Platform interface; the texts, the
// record building, every search, the tour test, the band order, the counts
// and all formatting are its own.
#include "tests/reference/literal_reference.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "platform/setup_dialog.h"

namespace rezov::reference {
namespace {

const char kProfileFile[] = "Plugins\\VARNO.ini";
const char kProfileSection[] = "Settings";
const std::size_t kProfileBuffer = 10000;
const char kCompanion[] = ".\\Plugins\\Korbix.exe";
const char kExtensionFile[] = "cabrillo.ini";
const std::size_t kMessageRoom = 256;  // bytes of the host's buffer we may use

// "QSO c " (Latin c) and " В ОДНОМ и ТОМ ЖЕ ТУРЕ ПРОВОДИТЬ НЕЛЬЗЯ !!!" in
// Windows-1251, byte by byte.
const unsigned char kRefusalHead[] = {0x51, 0x53, 0x4F, 0x20, 0x63, 0x20};
const unsigned char kRefusalTail[] = {
    0x20, 0xC2, 0x20, 0xCE, 0xC4, 0xCD, 0xCE, 0xCC, 0x20, 0xE8, 0x20, 0xD2, 0xCE, 0xCC, 0x20,
    0xC6, 0xC5, 0x20, 0xD2, 0xD3, 0xD0, 0xC5, 0x20, 0xCF, 0xD0, 0xCE, 0xC2, 0xCE, 0xC4, 0xC8,
    0xD2, 0xDC, 0x20, 0xCD, 0xC5, 0xCB, 0xDC, 0xC7, 0xDF, 0x20, 0x21, 0x21, 0x21};

__attribute__((format(printf, 1, 2))) std::string Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int size = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  std::vector<char> buffer(static_cast<std::size_t>(size < 0 ? 0 : size) + 1);
  std::vsnprintf(buffer.data(), buffer.size(), format, again);
  va_end(again);
  return std::string(buffer.data(), buffer.size() - 1);
}

// ---- Texts ---------------------------------------------------------------

std::string Replaced(const std::string& source, const std::string& search,
                     const std::string& replacement) {
  std::string result;
  std::size_t from = 0;
  for (;;) {
    const std::size_t at = source.find(search, from);
    if (at == std::string::npos) return result + source.substr(from);
    result += source.substr(from, at - from);
    result += replacement;
    from = at + search.size();
  }
}

bool IsWhite(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsRussian(const std::string& country) {
  return country == "UA" || country == "UA2" || country == "UA9";
}

// ---- Dates ---------------------------------------------------------------

// The broken-down UTC time of an OLE date brought to the nearest second, by
// the C library's own calendar. None when the date is not valid, or lies
// outside the years 100 to 9999 before or after the rounding.
std::optional<std::tm> ClockOf(const OleDate& date) {
  if (date.status != kOleDateValid) return std::nullopt;
  if (!std::isfinite(date.value) || std::fabs(date.value) > 1e7) return std::nullopt;
  // Whole days count towards zero, the time of day always forwards.
  const double whole = std::trunc(date.value);
  const double instant = (whole + std::fabs(date.value - whole)) * 86400.0;
  const long long epochShift = 25569LL * 86400;  // 1899-12-30 to 1970-01-01
  std::tm tm{};
  const std::time_t unrounded =
      static_cast<std::time_t>(std::floor(instant)) - static_cast<std::time_t>(epochShift);
  if (!gmtime_r(&unrounded, &tm) || tm.tm_year + 1900 < 100 || tm.tm_year + 1900 > 9999) {
    return std::nullopt;
  }
  const std::time_t rounded = static_cast<std::time_t>(std::llround(instant)) -
                              static_cast<std::time_t>(epochShift);
  if (!gmtime_r(&rounded, &tm) || tm.tm_year + 1900 < 100 || tm.tm_year + 1900 > 9999) {
    return std::nullopt;
  }
  return tm;
}

// "%Y-%m-%d %H%M", or empty for a time with no clock reading.
std::string QsoDateTime(const OleDate& time) {
  const std::optional<std::tm> tm = ClockOf(time);
  if (!tm) return std::string();
  char text[64];
  const std::size_t n = std::strftime(text, sizeof text, "%Y-%m-%d %H%M", &*tm);
  return std::string(text, n);
}

// ---- Records -------------------------------------------------------------

QsoRecord BuildFromContact(const ContactArgs& c, const std::string& ownRegion) {
  QsoRecord r;
  r.call = c.call;
  r.band = c.band;
  r.mode = c.mode;
  r.auxText = c.auxText;
  r.rcvdInfo = c.rcvdInfo;
  r.sentInfo = c.sentInfo;

  const std::string& e = c.rcvdExchange;
  auto E = [&e](std::size_t i) -> char { return i < e.size() ? e[i] : '\0'; };
  char region0, region1;
  if (e.size() == 5) {
    region0 = E(3);
    region1 = E(4);
  } else {
    region0 = E(4);
    region1 = E(5);
  }
  const char six[6] = {E(0), E(1), E(2), ' ', region0, region1};
  r.rcvdExchange.clear();
  for (int i = 0; i < 6 && six[i] != '\0'; ++i) r.rcvdExchange += six[i];
  std::string R;
  if (region0 != '\0') {
    R += region0;
    if (region1 != '\0') R += region1;
  }

  if (IsRussian(c.country)) {
    if (R == "MA") {
      r.maKey = c.call;
    } else {
      r.oblKey = R;
    }
  } else {
    r.gridKey = R;
  }
  r.sentExchange = c.sentNumber + " " + ownRegion;
  r.country = c.country;
  r.freqKhz = static_cast<std::int32_t>(c.freqHz / 1000u);
  r.time.value = c.time.value;
  r.time.status = c.time.status;
  return r;
}

bool SameRecord(const QsoRecord& a, const QsoRecord& b) {
  if (a.call != b.call) return false;
  if (a.country != b.country) return false;
  if (a.auxText != b.auxText) return false;
  if (a.band != b.band) return false;
  if (a.mode != b.mode) return false;
  if (a.rcvdInfo != b.rcvdInfo) return false;
  if (a.sentInfo != b.sentInfo) return false;
  if (a.rcvdExchange != b.rcvdExchange) return false;
  if (a.sentExchange != b.sentExchange) return false;
  if (a.maKey != b.maKey) return false;
  if (a.gridKey != b.gridKey) return false;
  if (a.oblKey != b.oblKey) return false;
  if (a.freqKhz != b.freqKhz) return false;
  return a.time.status == b.time.status && a.time.value == b.time.value;
}

// ---- Station settings ------------------------------------------------------

std::string ReadKey(Platform& p, const char* key, const std::string& fallback = "") {
  return p.ReadProfileString(kProfileFile, kProfileSection, key, fallback, kProfileBuffer);
}

void WriteKey(Platform& p, const char* key, const std::string& value) {
  (void)p.WriteProfileStrings(kProfileFile, kProfileSection, {{key, value}});
}

std::string ToDisplay(const std::string& stored) {
  return Replaced(Replaced(stored, "<CR>", "\r"), "<LF>", "\n");
}

std::string ToStored(const std::string& display) {
  return Replaced(Replaced(display, "\r", "<CR>"), "\n", "<LF>");
}

std::string ToContinuation(const std::string& stored, const std::string& tag) {
  return Replaced(Replaced(stored, "<CR>", "\r\n" + tag), "<LF>", "");
}

std::string FileBaseOf(const std::string& callSign) {
  std::string base = Replaced(Replaced(callSign, "/", "_"), "\\", "_");
  std::size_t first = 0;
  while (first < base.size() && IsWhite(base[first])) ++first;
  std::size_t end = base.size();
  while (end > first && IsWhite(base[end - 1])) --end;
  return first == end ? std::string("VARNO") : base.substr(first, end - first);
}

// Loads, shows, and on OK saves; whatever the answer, the record ends in
// the form the Cabrillo header needs and the export starts from no lines.
int EditSettings(ModuleState& state, const std::string& callSign) {
  StationSettings& s = state.stationSettings;
  Platform& p = state.platform;
  s.callSign = callSign;
  s.fileBase = FileBaseOf(callSign);
  s.operators = ReadKey(p, "Operators", callSign);
  s.name = ReadKey(p, "Name");
  s.address = ToDisplay(ReadKey(p, "Address"));
  s.claimed = ReadKey(p, "Claimed");
  s.contest = "MSK";
  s.categoryOperator = "SINGLE-OP";
  s.categoryBand = "160";
  s.categoryPower = "HIGH";
  s.categoryOverlay = "SO160";
  s.email = ReadKey(p, "Email");
  s.club = ReadKey(p, "Club");
  s.soapBox = ToDisplay(ReadKey(p, "SoapBox"));
  s.location = ReadKey(p, "Location");

  SetupDialog dialog;
  dialog.setText(DialogField::kCallSign, callSign);
  dialog.setText(DialogField::kOperators, s.operators);
  dialog.setText(DialogField::kCategoryOperator, s.categoryOperator);
  dialog.setText(DialogField::kCategoryBand, s.categoryBand);
  dialog.setText(DialogField::kCategoryPower, s.categoryPower);
  dialog.setText(DialogField::kCategoryOverlay, s.categoryOverlay);
  dialog.setText(DialogField::kName, s.name);
  dialog.setText(DialogField::kAddress, s.address);
  dialog.setText(DialogField::kClaimed, s.claimed);
  dialog.setText(DialogField::kContest, s.contest);
  dialog.setText(DialogField::kEmail, s.email);
  dialog.setText(DialogField::kClub, s.club);
  dialog.setText(DialogField::kSoapBox, s.soapBox);
  dialog.setText(DialogField::kLocation, s.location);

  const bool ok = p.ShowSetupDialog(dialog) == 1;
  if (ok) {
    s.callSign = dialog.text(DialogField::kCallSign);
    s.operators = dialog.text(DialogField::kOperators);
    s.categoryOperator = dialog.text(DialogField::kCategoryOperator);
    s.categoryBand = dialog.text(DialogField::kCategoryBand);
    s.categoryPower = dialog.text(DialogField::kCategoryPower);
    s.categoryOverlay = dialog.text(DialogField::kCategoryOverlay);
    s.name = dialog.text(DialogField::kName);
    s.address = dialog.text(DialogField::kAddress);
    s.contest = dialog.text(DialogField::kContest);
    s.email = dialog.text(DialogField::kEmail);
    s.club = dialog.text(DialogField::kClub);
    s.soapBox = dialog.text(DialogField::kSoapBox);
    s.location = dialog.text(DialogField::kLocation);
  }
  s.address = ToStored(s.address);
  s.soapBox = ToStored(s.soapBox);
  if (ok) {
    WriteKey(p, "Operators", s.operators);
    WriteKey(p, "Name", s.name);
    WriteKey(p, "Address", s.address);
    WriteKey(p, "Category", s.categoryOperator);
    WriteKey(p, "Contest", s.contest);
    WriteKey(p, "Email", s.email);
    WriteKey(p, "Club", s.club);
    WriteKey(p, "SoapBox", s.soapBox);
    WriteKey(p, "Location", s.location);
  }
  s.soapBox = ToContinuation(s.soapBox, "SOAPBOX: ");
  s.address = ToContinuation(s.address, "ADDRESS: ");
  s.qsoLines.clear();
  return ok ? 1 : 0;
}

// ---- Score -----------------------------------------------------------------

// True when a is less than b comparing bytes as unsigned characters.
bool BytesLess(const std::string& a, const std::string& b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t k = 0; k < n; ++k) {
    const unsigned char x = static_cast<unsigned char>(a[k]);
    const unsigned char y = static_cast<unsigned char>(b[k]);
    if (x != y) return x < y;
  }
  return a.size() < b.size();
}

std::string Padded(std::string text) {
  while (text.size() < 20) text.insert(0, "0");
  return text;
}

void OrderBands(BandList& bands) {
  const std::size_t m = bands.size();
  if (m < 2) return;
  for (std::size_t i = 0; i <= m - 2; ++i) {
    for (std::size_t j = i + 1; j <= m - 1; ++j) {
      const std::string a = Padded(bands.at(i));
      const std::string b = Padded(bands.at(j));
      if (BytesLess(a, b)) {
        const std::string keep = bands.at(i);
        bands.at(i) = bands.at(j);
        bands.at(j) = keep;
      }
    }
  }
}

bool Seen(const std::vector<std::string>& list, const std::string& value) {
  return std::find(list.begin(), list.end(), value) != list.end();
}

// ---- Export ------------------------------------------------------------------

std::string ModeOnCabrillo(const std::string& mode) {
  if (mode == "CW") return "CW";
  if (mode == "SSB") return "PH";
  return "PM";
}

std::string Tagged(const char* tag, const std::string& value) {
  return std::string(tag) + value + "\r\n";
}

void Export(ModuleState& state, int* result) {
  StationSettings& s = state.stationSettings;
  s.qsoLines.clear();
  for (std::size_t i = 0; i < state.qsoLog.size(); ++i) {
    const QsoRecord& r = state.qsoLog.at(i);
    s.qsoLines.push_back(Format("QSO: %5i %2s %s %-13s %-10s %-12s  %s\r\n", r.freqKhz,
                                ModeOnCabrillo(r.mode).c_str(), QsoDateTime(r.time).c_str(),
                                s.callSign.c_str(), r.sentExchange.c_str(), r.call.c_str(),
                                r.rcvdExchange.c_str()));
  }
  const std::string extension =
      state.platform.ReadOrCreateFile(kExtensionFile).value_or(std::string());
  std::string bytes;
  bytes += "START-OF-LOG: 3.0\r\n";
  bytes += "CONTEST: MSK\r\n";
  bytes += Tagged("CALLSIGN: ", s.callSign);
  bytes += Tagged("CATEGORY-OPERATOR: ", s.categoryOperator);
  bytes += Tagged("CATEGORY-BAND: ", s.categoryBand);
  bytes += Tagged("CATEGORY-POWER: ", s.categoryPower);
  bytes += Tagged("CATEGORY-OVERLAY: ", s.categoryOverlay);
  bytes += Tagged("LOCATION: ", s.location);
  bytes += Tagged("CLAIMED-SCORE: ", Format("%i", static_cast<int>(state.claimedScore)));
  bytes += Tagged("CLUB: ", s.club);
  bytes += "CREATED-BY: Lunt \r\n";
  bytes += Tagged("NAME: ", s.name);
  bytes += Tagged("ADDRESS: ", s.address);
  bytes += Tagged("OPERATORS: ", s.operators);
  bytes += Tagged("EMAIL: ", s.email);
  bytes += Tagged("SOAPBOX: ", s.soapBox);
  bytes += extension;
  for (std::size_t i = 0; i < s.qsoLines.size(); ++i) bytes += s.qsoLines[i];
  bytes += "END-OF-LOG:\r\n";
  const std::string name = s.fileBase + ".cbr";
  if (state.platform.WriteWholeFile(name, bytes)) {
    state.platform.ShowMessage(MessageOwner::kActiveWindow, "File produced: " + name,
                               std::string("Output"), 0x40);
  } else {
    state.platform.ShowMessage(MessageOwner::kActiveWindow, "File not produced: " + name,
                               std::string("Output"), 0x30);
  }
  if (result) *result = -1;
}

}  // namespace

int ResetStats(ModuleState& state, const ResetArgs& args) {
  if (!state.companionStarted) {
    state.platform.StartProgram(kCompanion);
    state.companionStarted = true;
  }
  const std::string date = state.platform.DateText(args.contestDate);
  state.contestDateText = date.size() > 10 ? date.substr(0, 10) : date;
  state.qsoLog.clear();
  state.bandList.clear();
  state.reportMode = args.reportMode;
  state.ownCall = args.callSign;
  state.ownRegion = args.region.size() > 2 ? args.region.substr(0, 2) : args.region;
  state.ownGrid = args.grid.size() > 2 ? args.grid.substr(0, 2) : args.grid;
  if (state.reportMode != 0) EditSettings(state, args.callSign);
  return 1;
}

int AddData(ModuleState& state, const ContactArgs& contact) {
  bool listed = false;
  for (std::size_t i = 0; i < state.bandList.size(); ++i) {
    if (state.bandList.at(i) == contact.band) {
      listed = true;
      break;
    }
  }
  if (!listed) state.bandList.append(contact.band);
  const QsoRecord record = BuildFromContact(contact, state.ownRegion);
  for (std::size_t i = 0; i < state.qsoLog.size(); ++i) {
    if (SameRecord(state.qsoLog.at(i), record)) return 1;
  }
  state.qsoLog.append(record);
  return 1;
}

int RemoveData(ModuleState& state, const ContactArgs& contact) {
  if (contact.rcvdExchange.empty()) return 0;
  if (contact.sentNumber.empty()) return 0;
  const QsoRecord record = BuildFromContact(contact, state.ownRegion);
  for (std::size_t i = 0; i < state.qsoLog.size(); ++i) {
    if (SameRecord(state.qsoLog.at(i), record)) {
      state.qsoLog.removeAt(i);
      return 1;
    }
  }
  for (std::size_t i = 0; i < state.qsoLog.size(); ++i) {
    const QsoRecord& r = state.qsoLog.at(i);
    if (r.call == contact.call && r.mode == contact.mode && r.band == contact.band) {
      state.qsoLog.removeAt(i);
      return 1;
    }
  }
  return 1;
}

CheckOutcome CheckCall(const ModuleState& state, UtcTime now, const CheckArgs& args) {
  for (std::size_t i = 0; i < state.qsoLog.size(); ++i) {
    const QsoRecord& r = state.qsoLog.at(i);
    if (r.call != args.call) continue;
    if (r.band != args.band) continue;
    if (r.mode != args.mode) continue;
    const std::optional<std::tm> t = ClockOf(r.time);
    if (!t) continue;
    if (t->tm_hour != now.hour) continue;
    const bool bothEarly = t->tm_min < 30 && now.minute < 30;
    const bool bothLate = t->tm_min >= 30 && now.minute >= 30;
    if (!bothEarly && !bothLate) continue;
    std::string message(reinterpret_cast<const char*>(kRefusalHead), sizeof kRefusalHead);
    // The call is cut, never the tail, when the whole would not fit the
    // buffer with its terminating zero.
    const std::size_t room = kMessageRoom - 1 - sizeof kRefusalHead - sizeof kRefusalTail;
    message += args.call.size() > room ? args.call.substr(0, room) : args.call;
    message.append(reinterpret_cast<const char*>(kRefusalTail), sizeof kRefusalTail);
    CheckOutcome outcome;
    outcome.result = 0;
    outcome.message = message;
    return outcome;
  }
  CheckOutcome outcome;
  if (!args.country) {
    outcome.result = 0;
    return outcome;
  }
  if (IsRussian(*args.country)) {
    for (std::size_t i = 0; i < state.qsoLog.size(); ++i) {
      const QsoRecord& r = state.qsoLog.at(i);
      if (r.maKey == args.call || r.oblKey == args.region) {
        outcome.result = 1;
        return outcome;
      }
    }
    outcome.result = 2;
    return outcome;
  }
  outcome.result = 1;
  return outcome;
}

const char* GetResult(ModuleState& state, int* result) {
  state.summaryText.clear();
  const std::size_t n = state.qsoLog.size();
  state.summaryText += Format(
      "Championship of Moscow %s \r\n     Contestant: %s\r\nBand\tQSOs\tPoints\tMA\tOBL\tGrid\r\n",
      state.contestDateText.c_str(), state.ownCall.c_str());
  OrderBands(state.bandList);

  std::vector<std::string> seenMa, seenObl, seenGrid;
  std::int32_t totalPoints = 0, totalMa = 0, totalObl = 0, totalGrid = 0;
  for (std::size_t b = 0; b < state.bandList.size(); ++b) {
    const std::string band = state.bandList.at(b);
    std::int32_t contacts = 0, ma = 0, obl = 0, grid = 0;
    for (std::size_t i = 0; i < state.qsoLog.size(); ++i) {
      const QsoRecord& r = state.qsoLog.at(i);
      if (r.band != band) continue;
      if (r.call.empty()) continue;
      contacts = contacts + 1;
      if (!r.oblKey.empty() && !Seen(seenObl, r.oblKey)) {
        seenObl.push_back(r.oblKey);
        obl = obl + 1;
      }
      if (!r.maKey.empty() && !Seen(seenMa, r.maKey)) {
        seenMa.push_back(r.maKey);
        ma = ma + 1;
      }
      if (!r.gridKey.empty() && !Seen(seenGrid, r.gridKey)) {
        seenGrid.push_back(r.gridKey);
        if (r.gridKey != state.ownGrid) grid = grid + 1;
      }
    }
    const std::int32_t points = contacts;
    state.summaryText += Format("%s\t %i\t %i\t %i\t %i\t %i\r\n", band.c_str(), contacts,
                                points, ma, obl, grid);
    totalPoints += points;
    totalMa += ma;
    totalObl += obl;
    totalGrid += grid;
  }
  state.summaryText += Format("Total\t %i\t %i\t %i\t %i\t %i\r\n", static_cast<int>(n),
                              totalPoints, totalMa, totalObl, totalGrid);
  const std::int32_t score = static_cast<std::int32_t>(
      static_cast<std::int64_t>(totalPoints) * (totalMa + totalObl + totalGrid));
  state.summaryText += Format("\r\nScore: %i*(%i + %i + %i) = %i", totalPoints, totalObl,
                              totalMa, totalGrid, score);
  state.claimedScore = score;
  if (result) *result = score;
  WriteKey(state.platform, "Claimed", Format("%i", score));
  if (state.reportMode != 0) Export(state, result);
  return state.summaryText.c_str();
}

}  // namespace rezov::reference
