#include "tools/checker/log_collection.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>
#include <unordered_map>

#include "platform/read_file.h"
#include "tools/checker/parallel_for.h"
#include "tools/logs/cabrillo_log_reader.h"
#include "tools/logs/cabrillo_reader.h"
#include "tools/logs/call_sign.h"
#include "tools/logs/contact_log.h"
#include "tools/logs/log_text.h"

namespace rezov::adjudicate {
namespace {

namespace fs = std::filesystem;

// A file to read: named on the command line or by a log's extension in a
// folder, or found in a folder under another name and read by content.
struct Candidate {
  std::string path;
  bool named;
};

bool HasLogExtension(const fs::path& path) {
  std::string ext = path.extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext == ".cbr" || ext == ".log" || ext == ".txt";
}

// The entries of one named folder, in name order. A folder inside it is
// not read, and said; any other entry, whatever it is, is read or refused
// with its reason.
void ListFolder(const std::string& folder, std::vector<Candidate>& files,
                std::vector<LogProblem>& problems) {
  std::error_code error;
  std::vector<fs::path> entries;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    entries.push_back(it->path());
  }
  if (error) problems.push_back({Printable(folder), "", "the folder cannot be read: " + error.message()});
  std::sort(entries.begin(), entries.end());
  for (const fs::path& entry : entries) {
    std::error_code kind;
    if (fs::is_directory(entry, kind)) {
      problems.push_back({Printable(entry.string()), "",
                          "a folder inside a named folder: its files are not read (name it "
                          "to have them checked)"});
    } else {
      files.push_back({entry.string(), HasLogExtension(entry)});
    }
  }
}

std::vector<Candidate> ListFiles(const std::vector<std::string>& paths,
                                 std::vector<LogProblem>& problems) {
  std::vector<Candidate> files;
  for (const std::string& path : paths) {
    std::error_code error;
    if (fs::is_directory(path, error)) {
      ListFolder(path, files, problems);
    } else {
      files.push_back({path, true});
    }
  }
  return files;
}

std::string SizeText(std::uint64_t bytes) {
  return bytes % (1u << 20) == 0 ? std::to_string(bytes >> 20) + " MiB"
                                 : std::to_string(bytes) + " bytes";
}

Result<SubmittedLog> ReadLog(const Candidate& file, std::uint64_t maxBytes) {
  Result<std::string> bytes = ReadRegularFile(file.path, maxBytes);
  if (!bytes) return Fail("the file cannot be read: " + bytes.error());
  if (bytes->size() > maxBytes) {
    return Fail("the file is larger than " + SizeText(maxBytes) +
                ", the most a log may hold (--max-log-bytes)");
  }
  if (!file.named && !LooksLikeCabrillo(LogText(*bytes))) {
    return Fail("not read: the name does not end in .cbr, .log or .txt, and the file does not "
                "start as a Cabrillo log");
  }
  Result<SubmittedLog> log = ReadCabrilloLog(Printable(file.path), std::move(bytes).value());
  if (log && !file.named) {
    log.value().notes.push_back("read by its content: the name does not end in .cbr, .log or .txt");
  }
  return log;
}

// Why a log that was read takes no part in the check, or nothing.
std::optional<std::string> Refusal(const SubmittedLog& log) {
  std::string contest = log.header.contest;
  std::transform(contest.begin(), contest.end(), contest.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  if (!contest.empty() && contest != "MSK") {
    return "a log of another contest (CONTEST: " + log.header.contest + ")";
  }
  if (log.call.empty()) return std::string("no call sign: no CALLSIGN: and no readable QSO line");
  const std::string call = OwnCallProblem(log.call);
  if (!call.empty()) return "the log's own call " + call;
  return std::nullopt;
}

// Keeps the later log of each call; notes the earlier ones.
void KeepLatestPerCall(std::vector<SubmittedLog>& logs, std::vector<LogProblem>& problems) {
  std::unordered_map<std::string, std::size_t> latest;
  for (std::size_t i = 0; i < logs.size(); ++i) latest[logs[i].call] = i;
  std::vector<SubmittedLog> kept;
  for (std::size_t i = 0; i < logs.size(); ++i) {
    const std::size_t later = latest[logs[i].call];
    if (later == i) {
      kept.push_back(std::move(logs[i]));
      continue;
    }
    problems.push_back({logs[i].fileName, logs[i].call,
                        "a later log of the same call, " + logs[later].fileName +
                            ", is the one checked"});
    logs[later].notes.push_back("an earlier log of this call, " + logs[i].fileName +
                                ", was received too; this later one is checked");
  }
  logs = std::move(kept);
}

}  // namespace

LogCollection CollectLogs(const std::vector<std::string>& paths, std::uint64_t maxLogBytes) {
  std::vector<LogProblem> problems;
  const std::vector<Candidate> files = ListFiles(paths, problems);
  std::vector<std::optional<Result<SubmittedLog>>> read(files.size());
  ParallelFor(files.size(), [&](std::size_t i) { read[i].emplace(ReadLog(files[i], maxLogBytes)); });
  std::vector<LogRead> reads;
  reads.reserve(files.size());
  for (std::size_t i = 0; i < files.size(); ++i) {
    reads.push_back({Printable(files[i].path), std::move(*read[i])});
    read[i].reset();
  }
  return AdmitLogs(std::move(reads), std::move(problems));
}

LogCollection AdmitLogs(std::vector<LogRead> reads, std::vector<LogProblem> problems) {
  LogCollection c;
  c.problems = std::move(problems);
  for (LogRead& r : reads) {
    if (!r.log) {
      c.problems.push_back({r.file, "", r.log.error()});
      continue;
    }
    SubmittedLog log = std::move(r.log).value();
    if (const std::optional<std::string> why = Refusal(log)) {
      c.problems.push_back({log.fileName, log.call, *why});
      continue;
    }
    if (log.lines.empty()) log.notes.push_back("the log holds no QSO lines");
    c.logs.push_back(std::move(log));
  }
  KeepLatestPerCall(c.logs, c.problems);
  for (const SubmittedLog& log : c.logs) {
    for (const std::string& note : log.notes) {
      c.problems.push_back({log.fileName, log.call, note, true});
    }
  }
  return c;
}

}  // namespace rezov::adjudicate
