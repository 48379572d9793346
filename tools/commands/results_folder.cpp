#include "tools/commands/results_folder.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <sstream>

#include "platform/read_file.h"

namespace rezov::adjudicate {
namespace {

namespace fs = std::filesystem;

// A run list longer than this was not written by a run.
constexpr std::uint64_t kMaxRunListBytes = 16 << 20;

// The path with links and ".." resolved as far as it exists, absolute, and
// without a trailing separator.
fs::path Canonical(const std::string& path) {
  std::error_code error;
  fs::path p = fs::weakly_canonical(fs::absolute(path, error), error);
  if (error) p = fs::absolute(path, error);
  p = p.lexically_normal();
  if (!p.has_filename() && p.has_relative_path()) p = p.parent_path();
  return p;
}

// True when `inner` is `outer` or lies inside it.
bool Within(const fs::path& inner, const fs::path& outer) {
  return std::mismatch(outer.begin(), outer.end(), inner.begin(), inner.end()).first == outer.end();
}

std::string UtcNow() {
  const std::time_t now = std::time(nullptr);
  char text[32] = "";
  if (const std::tm* utc = std::gmtime(&now)) std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", utc);
  return text;
}

// A name a run list may hold: a plain file name in the folder, never a path
// that leads out of it, nor the lock or the list itself.
bool IsListedName(const std::string& name) {
  return !name.empty() && name.size() < 256 && name.front() != '.' &&
         name.find_first_of("/\\:") == std::string::npos && name != kResultsLock &&
         name != kResultsRunList;
}

// The files the run list of the folder names (its first line says which
// run wrote it).
std::set<std::string> ListedFiles(const std::string& dir) {
  std::set<std::string> names;
  const Result<std::string> list = ReadRegularFile(dir + "/" + kResultsRunList, kMaxRunListBytes);
  if (!list || list->size() > kMaxRunListBytes) return names;
  std::istringstream lines(*list);
  std::string line;
  std::getline(lines, line);
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (IsListedName(line)) names.insert(line);
  }
  return names;
}

}  // namespace

std::string ResultsFolderOverlap(const std::string& outDir, const std::vector<std::string>& inputs) {
  const fs::path out = Canonical(outDir);
  for (const std::string& input : inputs) {
    const fs::path in = Canonical(input);
    if (!Within(out, in) && !Within(in, out)) continue;
    return "--out " + outDir + " overlaps " + input +
           ", which is read: the results could overwrite a submitted log, and the next run "
           "would read them as logs; give --out a folder apart from the logs";
  }
  return std::string();
}

ResultsFolder::ResultsFolder(std::string dir, std::string started)
    : dir_(std::move(dir)), started_(std::move(started)), earlier_(ListedFiles(dir_)) {}

Result<std::unique_ptr<ResultsFolder>> ResultsFolder::Take(const std::string& dir) {
  std::error_code error;
  fs::create_directories(dir, error);
  if (error) return Fail(dir + ": " + error.message());
  const std::string lock = dir + "/" + kResultsLock;
  if (!fs::create_directory(lock, error)) {
    if (error) return Fail(lock + ": " + error.message());
    const Result<std::string> owner = ReadRegularFile(lock + "/" + kResultsRunList, 4096);
    return Fail("another run is writing into " + dir + ": it holds the lock " + lock +
                (owner ? " (" + owner->substr(0, owner->find('\n')) + ")" : std::string()) +
                "; if no run is going on, remove the lock and run again");
  }
  const std::string started = UtcNow();
  Status s = ReplaceFileContents(lock + "/" + kResultsRunList,
                                 "rezov adjudicate, run started " + started + " UTC\r\n");
  std::unique_ptr<ResultsFolder> folder(new ResultsFolder(dir, started));
  if (!s) return Fail(lock + ": " + s.error());
  return folder;
}

ResultsFolder::~ResultsFolder() {
  std::error_code ignored;
  fs::remove_all(dir_ + "/" + kResultsLock, ignored);
}

Status ResultsFolder::WriteRunList(const std::set<std::string>& names, bool complete) const {
  std::string text = "rezov adjudicate: the files of the run started " + started_ + " UTC" +
                     (complete ? "" : ", which is under way, and of the run before it") + "\r\n";
  for (const std::string& name : names) text += name + "\r\n";
  return Write(kResultsRunList, text);
}

Status ResultsFolder::Begin(const std::vector<std::string>& names) {
  written_.insert(names.begin(), names.end());
  std::set<std::string> both = earlier_;
  both.insert(written_.begin(), written_.end());
  return WriteRunList(both, false);
}

Status ResultsFolder::Write(const std::string& name, const std::string& bytes) const {
  const std::string path = dir_ + "/" + name;
  const Status s = ReplaceFileContents(path, bytes);
  return s ? s : Fail(path + ": " + s.error());
}

Status ResultsFolder::WriteInParts(const std::string& name, const ContentParts& next) const {
  const std::string path = dir_ + "/" + name;
  const Status s = ReplaceFileContentsInParts(path, next);
  return s ? s : Fail(path + ": " + s.error());
}

Status ResultsFolder::Finish() {
  for (const std::string& name : earlier_) {
    if (written_.count(name) != 0) continue;
    const fs::path path = fs::path(dir_) / name;
    std::error_code kind;
    if (!fs::is_regular_file(fs::symlink_status(path, kind))) continue;
    std::error_code error;
    fs::remove(path, error);
    if (error) return Fail(path.string() + ": " + error.message());
  }
  earlier_.clear();
  return WriteRunList(written_, true);
}

}  // namespace rezov::adjudicate
