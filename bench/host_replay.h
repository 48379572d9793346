// The benchmark contest as a host hands it to a loaded module: every text a
// NUL-terminated string and every date a COleDateTime, all prepared before
// any call, so that a scoring run is the calls themselves and nothing else.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "bench/contest_corpus.h"
#include "plugin/rezov_exports.h"

namespace rezov {

class HostReplay {
 public:
  explicit HostReplay(const ContestCorpus& corpus);

  std::size_t size() const { return contacts_.size(); }

  // ResetStats0 alone, as the host calls it before a run. The first reset
  // after loading also starts the companion program, a cost the host pays
  // once per load, not per run.
  void Reset(const ModuleEntryPoints& module) const;

  // One scoring run as the host makes it: ResetStats0, AddData0 for every
  // contact in log order, GetResult0. Returns the score GetResult0 reports.
  int Run(const ModuleEntryPoints& module) const;

 private:
  struct Contact {
    std::string call;
    COleDateTime time;
    unsigned freqHz;
    std::string mode;
    std::string sentInfo;
    std::string rcvdInfo;
    std::string sentNumber;
    std::string rcvdExchange;
    std::string country;
    std::string auxText;
    std::string band;
  };

  void Add(const ModuleEntryPoints& module, const Contact& c) const;

  std::string callSign_;
  COleDateTime contestDate_;
  std::string region_;
  std::string grid_;
  std::vector<Contact> contacts_;
};

}  // namespace rezov
