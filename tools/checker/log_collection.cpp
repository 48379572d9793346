#include "tools/checker/log_collection.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>
#include <unordered_map>

#include "platform/read_file.h"
#include "tools/logs/cabrillo_log_reader.h"
#include "tools/checker/parallel_for.h"

namespace rezov::adjudicate {
namespace {

namespace fs = std::filesystem;

bool HasLogExtension(const fs::path& path) {
  std::string ext = path.extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext == ".cbr" || ext == ".log" || ext == ".txt";
}

// The files named by the paths, in order; a path that names nothing
// readable becomes a problem.
std::vector<std::string> ListFiles(const std::vector<std::string>& paths,
                                   std::vector<LogProblem>& problems) {
  std::vector<std::string> files;
  for (const std::string& path : paths) {
    std::error_code error;
    if (!fs::is_directory(path, error)) {
      files.push_back(path);
      continue;
    }
    std::vector<std::string> inFolder;
    for (fs::directory_iterator it(path, error), end; !error && it != end; it.increment(error)) {
      std::error_code kind;
      if (HasLogExtension(it->path()) && !it->is_directory(kind)) {
        inFolder.push_back(it->path().string());
      }
    }
    if (error) problems.push_back({path, "", "the folder cannot be read: " + error.message()});
    std::sort(inFolder.begin(), inFolder.end());
    files.insert(files.end(), inFolder.begin(), inFolder.end());
  }
  return files;
}

Result<SubmittedLog> ReadLog(const std::string& path) {
  Result<std::string> bytes = ReadFileContents(path);
  if (!bytes) return Fail("the file cannot be read: " + bytes.error());
  return ReadCabrilloLog(path, std::move(bytes).value());
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

LogCollection CollectLogs(const std::vector<std::string>& paths) {
  LogCollection c;
  const std::vector<std::string> files = ListFiles(paths, c.problems);
  std::vector<std::optional<Result<SubmittedLog>>> read(files.size());
  ParallelFor(files.size(), [&](std::size_t i) { read[i].emplace(ReadLog(files[i])); });
  for (std::size_t i = 0; i < files.size(); ++i) {
    Result<SubmittedLog>& r = *read[i];
    if (!r) {
      c.problems.push_back({files[i], "", r.error()});
      continue;
    }
    SubmittedLog log = std::move(r).value();
    if (const std::optional<std::string> why = Refusal(log)) {
      c.problems.push_back({files[i], log.call, *why});
      continue;
    }
    if (log.lines.empty()) log.notes.push_back("the log holds no QSO lines");
    c.logs.push_back(std::move(log));
    read[i].reset();
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
