// The folder the results of `rezov adjudicate` go to, taken by one run at
// a time, so that the results never overwrite what is read and two runs
// never mix their files.
#pragma once

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/replace_file.h"
#include "platform/result.h"

namespace rezov::adjudicate {

// The lock a run holds in the folder while it writes there: a folder, since
// creating one is the one step that fails when it exists already, on every
// system. The list of the files the last run wrote there, and when it began.
constexpr char kResultsLock[] = "rezov-adjudicate.lock";
constexpr char kResultsRunList[] = "run.txt";

// Why the results folder `outDir` must not be used with these inputs (files
// and folders that are read), or nothing: it may be none of them, lie
// inside none of them, and hold none of them, else the results could
// overwrite a submitted log, or be read as logs by the next run. Paths are
// compared in canonical form, so that links and ".." change nothing.
std::string ResultsFolderOverlap(const std::string& outDir, const std::vector<std::string>& inputs);

class ResultsFolder {
 public:
  // Creates the folder when missing and takes its lock; fails, naming the
  // lock, while another run holds it.
  static Result<std::unique_ptr<ResultsFolder>> Take(const std::string& dir);
  // Gives the lock back.
  ~ResultsFolder();
  ResultsFolder(const ResultsFolder&) = delete;
  ResultsFolder& operator=(const ResultsFolder&) = delete;

  const std::string& dir() const { return dir_; }

  // Says which files this run writes, before the first is written: the
  // run list then holds them and those of the earlier run, so that however
  // a run ends, the next one knows every file a run wrote.
  Status Begin(const std::vector<std::string>& names);
  // Writes one of the files named to Begin, whole or not at all.
  Status Write(const std::string& name, const std::string& bytes) const;
  Status WriteInParts(const std::string& name, const ContentParts& next) const;
  // Removes the files the earlier run wrote that this one did not, and
  // leaves the run list with this run's files alone.
  Status Finish();

 private:
  explicit ResultsFolder(std::string dir, std::string started);
  Status WriteRunList(const std::set<std::string>& names, bool complete) const;

  std::string dir_;
  std::string started_;             // UTC, "YYYY-MM-DD HH:MM:SS"
  std::set<std::string> earlier_;   // files of the earlier runs, from the run list
  std::set<std::string> written_;   // files of this run
};

}  // namespace rezov::adjudicate
