#include "contest/qso_record.h"

#include <algorithm>

namespace rezov {

bool QsoRecord::equals(const QsoRecord& other) const {
  return call == other.call && country == other.country &&
         auxText == other.auxText && band == other.band &&
         mode == other.mode && rcvdInfo == other.rcvdInfo &&
         sentInfo == other.sentInfo && rcvdExchange == other.rcvdExchange &&
         sentExchange == other.sentExchange && maKey == other.maKey &&
         gridKey == other.gridKey && oblKey == other.oblKey &&
         freqKhz == other.freqKhz && time == other.time;
}

std::size_t QsoLog::append(const QsoRecord& record) {
  records_.push_back(record);
  return records_.size() - 1;
}

void QsoLog::removeAt(std::size_t index) {
  records_.erase(records_.begin() + static_cast<std::ptrdiff_t>(index));
}

void QsoLog::clear() {
  std::vector<QsoRecord>().swap(records_);
}

std::optional<std::size_t> QsoLog::findEqual(const QsoRecord& record) const {
  for (std::size_t i = 0; i < records_.size(); ++i) {
    if (records_[i].equals(record)) return i;
  }
  return std::nullopt;
}

std::optional<std::size_t> QsoLog::findFirst(const std::string& call,
                                             const std::string& mode,
                                             const std::string& band) const {
  for (std::size_t i = 0; i < records_.size(); ++i) {
    const QsoRecord& r = records_[i];
    if (r.call == call && r.mode == mode && r.band == band) return i;
  }
  return std::nullopt;
}

std::size_t BandList::append(const std::string& name) {
  names_.push_back(name);
  return names_.size() - 1;
}

bool BandList::contains(const std::string& name) const {
  return std::find(names_.begin(), names_.end(), name) != names_.end();
}

void BandList::clear() {
  std::vector<std::string>().swap(names_);
}

}  // namespace rezov
