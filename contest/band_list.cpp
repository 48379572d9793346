#include "contest/band_list.h"

#include <algorithm>

namespace rezov {

std::size_t BandList::append(const std::string& name) {
  names_.push_back(name);
  return names_.size() - 1;
}

bool BandList::contains(const std::string& name) const {
  return std::find(names_.begin(), names_.end(), name) != names_.end();
}

void BandList::clear() { std::vector<std::string>().swap(names_); }

}  // namespace rezov
