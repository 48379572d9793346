#include "tools/commands/replay_command.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "contest/contact_entry.h"
#include "platform/cp1251.h"
#include "platform/profile_file.h"
#include "platform/read_file.h"
#include "platform/replace_file.h"
#include "tools/logs/band_table.h"
#include "tools/countries/country_lookup.h"
#include "tools/publish/json_dump.h"
#include "tools/commands/reading_report.h"
#include "tools/logs/log_format.h"
#include "tools/module/module_loader.h"
#include "tools/module/replay_session.h"
#include "tools/logs/contact_selection.h"
#include "tools/publish/report_page.h"

namespace fs = std::filesystem;

namespace rezov {
namespace {

// A date typed as YYYY-MM-DD.
Result<CalendarTime> ParseDate(const std::string& text) {
  const Result<CalendarTime> bad = Fail("bad --date " + text + " (YYYY-MM-DD)");
  if (text.size() != 10 || text[4] != '-' || text[7] != '-' ||
      !AllDigits(text.substr(0, 4) + text.substr(5, 2) + text.substr(8, 2))) {
    return bad;
  }
  CalendarTime t;
  t.year = std::stoi(text.substr(0, 4));
  t.month = std::stoi(text.substr(5, 2));
  t.day = std::stoi(text.substr(8, 2));
  return IsCalendarDate(t.year, t.month, t.day) ? Result<CalendarTime>(t) : bad;
}

// The station values the log gives, with the command line's overrides.
StationValues Station(const ContactLog& log, const ToolOptions& o,
                      const std::optional<CalendarTime>& date) {
  StationValues s;
  s.call = o.call.value_or(log.ownCall);
  s.region = o.region.value_or(log.ownRegion);
  s.grid = o.grid.value_or(log.ownGrid);
  if (date) {
    s.date = *date;
  } else if (!log.contacts.empty()) {
    CalendarTime day = log.contacts.front().time;
    day.hour = day.minute = day.second = 0;
    s.date = day;
  }
  return s;
}

// The module takes what it is given; an empty own call or region is
// legal but rarely meant, so it is said.
void NoteMissingStation(const StationValues& s, Reporter& report) {
  if (s.call.empty()) {
    report.Note("note: the log names no own call (STATION_CALLSIGN, OPERATOR or CALLSIGN:); "
                "give it with --call");
  }
  if (s.region.empty()) {
    report.Note("note: the log names no own region (MY_STATE or the sent exchange); give it "
                "with --region");
  }
}

bool IsFile(const fs::path& p) {
  std::error_code ec;
  return fs::is_regular_file(p, ec);
}

// Where the module may be, in this order: beside the tool (a build
// folder), where a release puts it, and one or two folders above the tool
// (the tests and tools of a build folder).
std::vector<fs::path> ModuleCandidates(const fs::path& toolFolder) {
  std::vector<fs::path> candidates = {toolFolder / kModuleFileName,
                                      (toolFolder / kPackagedModulePath).lexically_normal()};
  fs::path dir = toolFolder;
  for (int up = 0; up < 2 && dir != dir.parent_path(); ++up) {
    dir = dir.parent_path();
    candidates.push_back(dir / kModuleFileName);
  }
  return candidates;
}

// The module named on the command line, or else the first candidate that
// exists.
Result<std::string> FindModule(const std::string& given) {
  std::error_code ec;
  if (!given.empty()) {
    const fs::path p = fs::absolute(given, ec);
    if (ec || !IsFile(p)) return Fail("no module file " + given);
    return p.string();
  }
  const std::string exe = os::ExecutablePath();
  std::string looked;
  if (!exe.empty()) {
    for (const fs::path& candidate : ModuleCandidates(fs::path(exe).parent_path())) {
      if (IsFile(candidate)) return candidate.string();
      looked += (looked.empty() ? "" : ", ") + candidate.string();
    }
  }
  return Fail(std::string("no ") + kModuleFileName + " found for the tool (looked for " +
              looked + "); build the target Rezov or name the module with --module PATH");
}

// The module's current folder: created with its Plugins folder if missing.
Status EnterWorkdir(const std::string& workdir) {
  std::error_code ec;
  fs::create_directories(fs::path(workdir) / "Plugins", ec);
  if (!ec) fs::current_path(workdir, ec);
  if (ec) return Fail("cannot use the work folder " + workdir + ": " + ec.message());
  return {};
}

constexpr char kSettingsFile[] = "Plugins/VARNO.ini";

// The score at the end of the summary ("Score: 11*(1 + 2 + 0) = 33").
std::string ScoreOf(const std::string& summary) {
  const std::size_t equals = summary.rfind("= ");
  return equals == std::string::npos ? std::string() : Trimmed(summary.substr(equals + 2));
}

// Why the module could not write the file named `name`, when its platform
// said so.
std::string ReasonFor(const ModuleNotices& notices, const std::string& name) {
  for (const ModuleNotices::NotWritten& n : notices.notWritten) {
    if (fs::path(n.path).filename() == fs::path(name).filename()) return n.reason;
  }
  return std::string();
}

// The settings file must hold the score the module just computed; when it
// does not, the module could not save it, which is worth a warning.
void CheckSettingsSaved(const ScoreAnswer& score, Reporter& report) {
  const std::string claimed = ScoreOf(score.summary);
  const Result<std::string> bytes = ReadFileContents(kSettingsFile);
  if (bytes && ProfileFileLookup(*bytes, "Settings", "Claimed") == claimed) return;
  std::string reason = ReasonFor(score.notices, kSettingsFile);
  if (reason.empty()) reason = bytes ? "it does not hold the score " + claimed : bytes.error();
  std::error_code ec;
  report.Warn("the settings file " + fs::absolute(kSettingsFile, ec).string() +
              " was not saved: " + reason);
}

// The module's "Output" message says whether the Cabrillo file was
// written; the file's name comes from it, never from looking at the folder.
Result<fs::path> ReportCabrillo(const ModuleNotices& notices, std::FILE* out) {
  const std::string produced = "File produced: ";
  const std::string notProduced = "File not produced: ";
  for (const ModuleNotices::Message& m : notices.messages) {
    if (m.caption != "Output") continue;
    if (m.text.compare(0, produced.size(), produced) == 0) {
      std::error_code ec;
      const fs::path written = fs::absolute(m.text.substr(produced.size()), ec);
      std::fprintf(out, "Cabrillo file: %s\n", written.string().c_str());
      return written;
    }
    if (m.text.compare(0, notProduced.size(), notProduced) == 0) {
      const std::string reason = ReasonFor(notices, m.text.substr(notProduced.size()));
      return Fail(m.text + (reason.empty() ? "" : ": " + reason));
    }
  }
  return Fail("the module said nothing about a Cabrillo file");
}

// The report page of the replay, written whole or not at all.
Status WriteReportPage(const fs::path& page, const ContactLog& log, const std::string& logPath,
                       const StationValues& station, const std::string& summary,
                       const std::optional<fs::path>& cabrillo, std::FILE* out) {
  PageInput input;
  input.logName = fs::path(logPath).filename().string();
  input.summary = summary;
  input.statistics = GatherStatistics(log, station.region, station.grid);
  input.otherContest = OtherContest(log);
  if (cabrillo) {
    const Result<std::string> written = ReadFileContents(cabrillo->string());
    if (written) input.cabrilloHeader = CabrilloHeaderOf(*written);
  }
  const Status status = ReplaceFileContents(page.string(), ReportPage(input));
  if (!status) return Fail("the report page " + page.string() + " was not written: " + status.error());
  std::fprintf(out, "Report page: %s\n", page.string().c_str());
  return {};
}

// The summary with the line ends of this system's terminal.
void PrintSummary(const std::string& summary, std::FILE* out) {
  std::string text;
  for (std::size_t i = 0; i < summary.size(); ++i) {
    if (summary[i] == '\r' && i + 1 < summary.size() && summary[i + 1] == '\n') continue;
    text += summary[i];
  }
  std::fprintf(out, "%s\n", text.c_str());
}

std::string Meaning(int result, bool hasMessage, const std::optional<std::string>& country) {
  if (result == 0 && hasMessage) return "refused: a repeat in the current tour";
  if (result == 0) return "no answer: no country prefix was given";
  if (result == 2) return "allowed: a new multiplier";
  if (result == 1 && country && IsRussianPrefix(*country)) return "allowed: no new multiplier";
  if (result == 1) return "allowed: a station outside Russia";
  return "an answer the module does not document";
}

void PrintCheck(const CheckRequest& r, const CheckAnswer& a, std::FILE* out) {
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
#if defined(_WIN32)
  gmtime_s(&tm, &now);
#else
  gmtime_r(&now, &tm);
#endif
  const int first = tm.tm_min < 30 ? 0 : 30;
  std::fprintf(out, "UTC %02d:%02d, tour %02d:%02d-%02d:%02d\n", tm.tm_hour, tm.tm_min,
               tm.tm_hour, first, tm.tm_hour, first + 29);
  std::fprintf(out, "CheckCall0 %s %s %s, region %s, country %s: %d, %s\n", r.call.c_str(),
               r.band.c_str(), r.mode.c_str(), r.region.empty() ? "(none)" : r.region.c_str(),
               r.country ? (r.country->empty() ? "(none)" : r.country->c_str()) : "(null)",
               a.result,
               Meaning(a.result, a.message.has_value(), r.country).c_str());
  if (a.message) std::fprintf(out, "message: %s\n", Cp1251ToUtf8(*a.message).c_str());
}

// The country file when none is named: cty.dat beside the tool (where a
// Windows user puts it), else the one of Debian's hamradio-files package.
std::string DefaultCountryFile() {
  const std::string exe = os::ExecutablePath();
  if (!exe.empty()) {
    const fs::path beside = fs::path(exe).parent_path() / "cty.dat";
    if (IsFile(beside)) return beside.string();
  }
  return kDefaultCountryFile;
}

struct Prepared {
  ContactLog log;
  // Where `score --html` writes the page, resolved before the tool enters
  // the work folder.
  std::optional<fs::path> htmlPath;
  Status replayable;  // whether the log has a contact for the module
  CheckRequest check;
  std::optional<CalendarTime> date;
};

// The checked station of `check`, as typed: an ASCII call on one of the
// contest's bands and modes.
Result<CheckRequest> CheckedStation(const ToolOptions& o) {
  CheckRequest check;
  check.call = UpperAscii(o.checkCall);
  if (check.call.empty() || !IsAsciiCall(check.call)) {
    return Fail("the call '" + Printable(o.checkCall) +
                "' is not written in ASCII letters and digits, as call signs are");
  }
  const std::optional<std::string> band = BandFromTyped(o.checkBand);
  if (!band || !IsContestBand(*band)) {
    return Fail("band " + Printable(o.checkBand) + " is not a band of this contest (160 or 80)");
  }
  check.band = *band;
  check.mode = UpperAscii(o.checkMode);
  if (check.mode == "PH") check.mode = "SSB";
  if (!IsContestMode(check.mode)) {
    return Fail("mode " + Printable(o.checkMode) + " is not a mode of this contest (CW or SSB)");
  }
  check.region = UpperAscii(o.checkRegion);
  return check;
}

// A log with no contact for the module is refused in one line that says
// what the file looks like, or why none of its contacts counts.
Status HasContactsToReplay(const ContactLog& log, const std::string& path,
                           const std::string& bytes) {
  if (log.contacts.empty() && log.skipped.empty()) {
    return Fail(path + ": no contact read: " + DescribeContent(bytes));
  }
  if (log.contacts.empty()) {
    return Fail(path + ": no contact read: all " + std::to_string(log.skipped.size()) +
                " records were skipped");
  }
  const bool none = std::none_of(log.contacts.begin(), log.contacts.end(),
                                 [](const LogContact& c) { return c.excluded.empty(); });
  if (none) {
    return Fail(path + ": none of its " + std::to_string(log.contacts.size()) +
                " contacts is on a band and in a mode of this contest (160 or 80 m, CW or "
                "SSB); --all-contacts hands them on");
  }
  return {};
}

// Everything that does not need the module: options, log, countries.
Result<Prepared> Prepare(const ToolOptions& o, Reporter& report) {
  Prepared p;
  if (o.date) {
    const Result<CalendarTime> date = ParseDate(*o.date);
    if (!date) return date.failure();
    p.date = *date;
  }
  if (o.command == ToolCommand::kCheck) {
    Result<CheckRequest> check = CheckedStation(o);
    if (!check) return check.failure();
    p.check = std::move(check).value();
  }
  if (!o.htmlPath.empty()) {
    std::error_code ec;
    p.htmlPath = fs::absolute(o.htmlPath, ec);
  }
  const Result<std::string> bytes = ReadFileContents(o.logPath);
  if (!bytes) return Fail("cannot read the log " + o.logPath + ": " + bytes.error());
  Result<ContactLog> log = ReadLog(o.logPath, *bytes);
  if (!log) return Fail(o.logPath + ": " + log.error());
  p.log = std::move(log).value();
  SelectContacts(p.log, SelectionOptions{o.allContacts, o.keepRepeats});
  p.replayable = HasContactsToReplay(p.log, o.logPath, *bytes);
  if (!p.replayable && o.command != ToolCommand::kDump) return p.replayable.failure();
  CountryLookup countries(o.countryFile.empty() ? DefaultCountryFile() : o.countryFile);
  if (const Status resolved = countries.Resolve(p.log); !resolved) return resolved.failure();
  if (o.command == ToolCommand::kCheck) {
    if (o.checkCountry) {
      p.check.country = UpperAscii(*o.checkCountry);
    } else {
      const Result<std::string> prefix = countries.ForCall(p.check.call);
      if (!prefix) return prefix.failure();
      if (prefix->empty()) report.Note("note: no entity for " + p.check.call + "; country empty");
      p.check.country = *prefix;
    }
  }
  return p;
}

int Finish(const ContactLog& log, Reporter& report) {
  if (log.skipped.empty()) return kExitOk;
  report.Note(std::to_string(log.skipped.size()) + " of " + std::to_string(log.recordCount) +
              " records skipped");
  return kExitSkipped;
}

int Replay(const ToolOptions& o, const Prepared& p, std::FILE* out, Reporter& report) {
  const Result<std::string> modulePath = FindModule(o.modulePath);
  if (!modulePath) return report.Fail(modulePath.error());
  if (const Status entered = EnterWorkdir(o.workdir); !entered) {
    return report.Fail(entered.error());
  }
  const Result<std::unique_ptr<LoadedModule>> module = LoadedModule::Open(*modulePath);
  if (!module) return report.Fail("cannot use the module " + *modulePath + ": " + module.error());
  // Only now that the replay can run: a failure above is the one line said.
  ReportReading(p.log, o.logPath, report);
  const ModuleEntryPoints& m = (*module)->entry();
  const bool reportMode = o.command == ToolCommand::kReport;
  const StationValues station = Station(p.log, o, p.date);
  NoteMissingStation(station, report);
  ResetModule(m, reportMode ? 1 : 0, station);
  for (const LogContact& c : p.log.contacts) {
    if (c.excluded.empty()) AddContact(m, c);
  }
  if (o.command == ToolCommand::kCheck) {
    PrintCheck(p.check, CheckCallNow(m, p.check), out);
    return Finish(p.log, report);
  }
  const ScoreAnswer score = GetScore(m);
  PrintSummary(score.summary, out);
  CheckSettingsSaved(score, report);
  std::optional<fs::path> cabrillo;
  if (reportMode) {
    const Result<fs::path> written = ReportCabrillo(score.notices, out);
    if (!written) return report.Fail(written.error());
    cabrillo = *written;
  }
  std::optional<fs::path> page;
  if (cabrillo) page = fs::path(*cabrillo).replace_extension(".html");
  if (p.htmlPath) page = p.htmlPath;
  if (page) {
    const Status written =
        WriteReportPage(*page, p.log, o.logPath, station, score.summary, cabrillo, out);
    if (!written) return report.Fail(written.error());
  }
  return Finish(p.log, report);
}

}  // namespace

int RunTool(const ToolOptions& o, std::FILE* out, std::FILE* err) {
  Reporter report(err);
  const Result<Prepared> prepared = Prepare(o, report);
  if (!prepared) return report.Fail(prepared.error());
  const Prepared& p = *prepared;
  if (o.command == ToolCommand::kDump) {
    ReportReading(p.log, o.logPath, report);
    std::fputs(DumpJson(p.log).c_str(), out);
    if (!p.replayable) return report.Fail(p.replayable.error());
    return Finish(p.log, report);
  }
  const int status = Replay(o, p, out, report);
  std::fflush(out);
  return status;
}

}  // namespace rezov
