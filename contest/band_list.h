// The distinct band names of the log, one summary row each.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace rezov {

// The band names in the order first met (until the summary reorders them in
// place). Membership is tested with the exact, case-sensitive comparison.
class BandList {
 public:
  std::size_t size() const { return names_.size(); }
  const std::string& at(std::size_t index) const { return names_[index]; }
  // For reordering in place.
  std::string& at(std::size_t index) { return names_[index]; }
  std::size_t append(const std::string& name);
  bool contains(const std::string& name) const;
  void clear();

 private:
  // A contest has two bands and a log a handful at most: a scan is the
  // fastest search there is.
  std::vector<std::string> names_;
};

}  // namespace rezov
