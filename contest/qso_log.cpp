#include "contest/qso_log.h"

#include <algorithm>
#include <functional>
#include <string_view>
#include <type_traits>
#include <utility>

namespace rezov {
namespace {

// Stored records move, never copy, when the log grows or closes a gap.
static_assert(std::is_nothrow_move_constructible_v<QsoRecord> &&
                  std::is_nothrow_move_assignable_v<QsoRecord>,
              "QsoRecord must move without throwing");

// The usual way of folding one hash into another.
std::size_t Combined(std::size_t sum, std::size_t h) {
  return sum ^ (h + 0x9E3779B97F4A7C15ull + (sum << 6) + (sum >> 2));
}

std::size_t TextHash(const std::string& text) { return std::hash<std::string_view>()(text); }

std::size_t KeyHash(const std::string& call, const std::string& band, const std::string& mode) {
  return Combined(Combined(TextHash(call), TextHash(band)), TextHash(mode));
}

// Equal records hash alike: -0.0 is hashed as 0.0, the only two values
// that compare equal with different bits (a NaN equals nothing). The other
// texts take no part: records that differ only there are rare enough to
// share a list.
std::size_t ContentHash(std::size_t keyHash, const QsoRecord& r) {
  const double value = r.time.value == 0.0 ? 0.0 : r.time.value;
  std::size_t hash = Combined(keyHash, std::hash<double>()(value));
  hash = Combined(hash, std::hash<std::int32_t>()(r.time.status));
  return Combined(hash, std::hash<std::int32_t>()(r.freqKhz));
}

std::uint64_t TourBit(int tour) { return tour == kNoTour ? 0 : std::uint64_t{1} << tour; }

bool SameKeyAs(const QsoRecord& r, const std::string& call, const std::string& mode,
               const std::string& band) {
  return r.call == call && r.mode == mode && r.band == band;
}

template <typename Counts>
void CountOut(Counts& counts, const std::string& key) {
  const auto it = counts.find(key);
  if (it != counts.end() && --it.value() == 0) counts.erase(it);
}

}  // namespace

template <typename Matches>
std::optional<std::size_t> QsoLog::FirstOf(const Positions& list, Matches matches) {
  if (matches(list.first)) return list.first;
  for (std::uint32_t p : list.more) {
    if (matches(p)) return p;
  }
  return std::nullopt;
}

bool QsoLog::Drop(Positions& list, std::size_t index) {
  if (list.first != index) {
    list.more.erase(std::find(list.more.begin(), list.more.end(), index));
    return true;
  }
  if (list.more.empty()) return false;
  list.first = list.more.front();
  list.more.erase(list.more.begin());
  return true;
}

std::size_t QsoLog::append(const QsoRecord& record) { return append(QsoRecord(record)); }

std::size_t QsoLog::append(QsoRecord&& record) {
  return store(std::move(record), KeyHash(record.call, record.band, record.mode));
}

bool QsoLog::appendIfNew(QsoRecord&& record) {
  const std::size_t keyHash = KeyHash(record.call, record.band, record.mode);
  const auto it = byContent_.find(ContentHash(keyHash, record));
  if (it != byContent_.end() &&
      FirstOf(it->second, [&](std::uint32_t p) { return records_[p].equals(record); })) {
    return false;
  }
  store(std::move(record), keyHash);
  return true;
}

// Adds `record`, whose (call, band, mode) hash is `keyHash`, at the end.
std::size_t QsoLog::store(QsoRecord&& record, std::size_t keyHash) {
  const auto at = static_cast<std::uint32_t>(records_.size());
  records_.push_back(std::move(record));
  const QsoRecord& stored = records_.back();
  const auto add = [at](Positions& list, bool added) {
    if (added) {
      list.first = at;
    } else {
      list.more.push_back(at);
    }
  };
  const auto content = byContent_.try_emplace(ContentHash(keyHash, stored));
  add(content.first.value(), content.second);
  const auto key = byKey_.try_emplace(keyHash);
  add(key.first.value().positions, key.second);
  key.first.value().tours |= TourBit(TourOf(stored.time));
  ++maCounts_[stored.maKey];
  ++oblCounts_[stored.oblKey];
  return at;
}

void QsoLog::removeAt(std::size_t index) {
  forget(index);
  records_.erase(records_.begin() + static_cast<std::ptrdiff_t>(index));
  renumberAfter(index);
}

void QsoLog::clear() { *this = QsoLog(); }

// Takes the record at `index` out of every index.
void QsoLog::forget(std::size_t index) {
  const QsoRecord& r = records_[index];
  const std::size_t keyHash = KeyHash(r.call, r.band, r.mode);
  const auto content = byContent_.find(ContentHash(keyHash, r));
  if (!Drop(content.value(), index)) byContent_.erase(content);

  const auto key = byKey_.find(keyHash);
  SameKey& same = key.value();
  if (!Drop(same.positions, index)) {
    byKey_.erase(key);
  } else {
    same.tours = TourBit(TourOf(records_[same.positions.first].time));
    for (std::uint32_t p : same.positions.more) same.tours |= TourBit(TourOf(records_[p].time));
  }
  CountOut(maCounts_, r.maKey);
  CountOut(oblCounts_, r.oblKey);
}

// Every record after `index` moved one place down.
void QsoLog::renumberAfter(std::size_t index) {
  const auto shift = [index](Positions& list) {
    list.first -= list.first > index ? 1 : 0;
    for (std::uint32_t& p : list.more) p -= p > index ? 1 : 0;
  };
  for (auto it = byContent_.begin(); it != byContent_.end(); ++it) shift(it.value());
  for (auto it = byKey_.begin(); it != byKey_.end(); ++it) shift(it.value().positions);
}

std::optional<std::size_t> QsoLog::findEqual(const QsoRecord& record) const {
  const auto it =
      byContent_.find(ContentHash(KeyHash(record.call, record.band, record.mode), record));
  if (it == byContent_.end()) return std::nullopt;
  return FirstOf(it->second, [&](std::uint32_t p) { return records_[p].equals(record); });
}

std::optional<std::size_t> QsoLog::findFirst(const std::string& call, const std::string& mode,
                                             const std::string& band) const {
  const auto it = byKey_.find(KeyHash(call, band, mode));
  if (it == byKey_.end()) return std::nullopt;
  return FirstOf(it->second.positions,
                 [&](std::uint32_t p) { return SameKeyAs(records_[p], call, mode, band); });
}

std::optional<std::size_t> QsoLog::findFirstInTour(const std::string& call,
                                                   const std::string& mode,
                                                   const std::string& band, int tour) const {
  if (tour < 0 || tour >= kTourCount) return std::nullopt;
  const auto it = byKey_.find(KeyHash(call, band, mode));
  if (it == byKey_.end() || (it->second.tours & TourBit(tour)) == 0) return std::nullopt;
  return FirstOf(it->second.positions, [&](std::uint32_t p) {
    return SameKeyAs(records_[p], call, mode, band) && TourOf(records_[p].time) == tour;
  });
}

}  // namespace rezov
