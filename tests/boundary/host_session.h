// A stand-in host for the boundary tests: a temporary working folder with a
// Plugins folder, and the entry points called with every argument filled,
// the unread ones with values the module must ignore.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/boundary/module_loader.h"

namespace rezov {

class TempWorkdir {
 public:
  TempWorkdir() {
    char pattern[] = "/tmp/rezov-boundary-XXXXXX";
    path_ = mkdtemp(pattern);
    old_ = getcwd(nullptr, 0);
    if (chdir(path_.c_str()) != 0) std::abort();
    std::system("mkdir -p Plugins");
  }
  ~TempWorkdir() {
    if (chdir(old_) != 0) std::abort();
    std::free(old_);
    std::system(("rm -rf '" + path_ + "'").c_str());
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  char* old_;
};

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

struct HostContact {
  std::string call;
  double time;
  unsigned freqHz;
  std::string mode;
  std::string number;
  std::string exchange;
  std::string country;
  std::string band;
};

inline double OleNow() {
  return static_cast<double>(std::time(nullptr)) / 86400.0 + 25569.0;
}

inline int Reset(LoadedModule& m, int reportMode, const char* call, double date,
                 const char* region, const char* grid) {
  COleDateTime unread{123.0, 1};
  COleDateTime contestDate{date, 0};
  return m.ResetStats0("x", reportMode, call, &unread, &contestDate, "x", "x", "x", "x",
                       region, "x", "x", grid, "x", "x", 7, 8, 9, 1.5, 2.5, "x", "x", "x");
}

inline int CallAdd(AddData0Fn fn, const HostContact& c, const char* ignored = "x") {
  COleDateTime time{c.time, 0};
  COleDateTime unread{99.0, 2};
  return fn(ignored, c.call.c_str(), &time, &unread, &unread, &unread, 42, c.freqHz,
            c.mode.c_str(), "599", "599", c.number.c_str(), c.exchange.c_str(), ignored,
            ignored, ignored, ignored, ignored, ignored, ignored, ignored, ignored,
            c.country.c_str(), 1, 2, 3, 4.5, 5.5, ignored, "aux", ignored,
            c.band.c_str(), ignored);
}

inline int Check(LoadedModule& m, const char* call, const char* mode, const char* country,
                 const char* region, const char* band, char* message) {
  char untouched[8] = "keep";
  return m.CheckCall0(call, 1, 2, mode, "x", "x", "x", "x", "x", "x", "x", "x", "x", country,
                      1, 2, 3, 4.5, 5.5, "x", "x", "x", "x", region, band, "x", untouched,
                      message);
}

}  // namespace rezov
