#include "contest/qso_log.h"

#include <cstring>
#include <functional>
#include <string_view>
#include <type_traits>
#include <utility>

namespace rezov {
namespace {

// Closing a gap moves every record after it: moves, not copies, and
// without throwing half way.
static_assert(std::is_nothrow_move_constructible_v<QsoRecord> &&
                  std::is_nothrow_move_assignable_v<QsoRecord>,
              "QsoRecord must move without throwing");

// The usual way of folding one hash into another.
std::uint64_t Combined(std::uint64_t sum, std::uint64_t h) {
  return sum ^ (h + 0x9E3779B97F4A7C15ull + (sum << 6) + (sum >> 2));
}

// 32 bits in which every bit of `h` counts: the chain map takes its bucket
// from the low bits of a tag as it stands.
std::uint32_t Folded(std::uint64_t h) {
  h ^= h >> 33;
  h *= 0xFF51AFD7ED558CCDull;
  h ^= h >> 33;
  return static_cast<std::uint32_t>(h);
}

std::uint64_t TextHash(const std::string& text) {
  return std::hash<std::string_view>()(text);
}

std::uint32_t KeyTag(const std::string& call, const std::string& band, const std::string& mode) {
  return Folded(Combined(Combined(TextHash(call), TextHash(band)), TextHash(mode)));
}

// Equal records have equal tags: -0.0 is tagged as 0.0, the only two
// values that compare equal with different bits (a NaN equals nothing).
// The texts take no part; records of one chain that differ only there are
// rare enough to be told apart by comparing them.
std::uint32_t ContentTag(const QsoRecord& r) {
  const double value = r.time.value == 0.0 ? 0.0 : r.time.value;
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  const std::uint64_t rest =
      static_cast<std::uint64_t>(static_cast<std::uint32_t>(r.time.status)) << 32 |
      static_cast<std::uint32_t>(r.freqKhz);
  return Folded(bits * 0x9E3779B97F4A7C15ull ^ rest);
}

std::uint32_t ContentBit(std::uint32_t contentTag) {
  return std::uint32_t{1} << (contentTag % 32);
}

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

// The walk goes from the last record back, so the earliest match is the
// one found last.
template <typename Matches>
std::optional<std::size_t> QsoLog::firstOf(const Chain& chain, Matches matches) const {
  std::optional<std::size_t> earliest;
  for (std::uint32_t p = chain.last; p != kNone; p = links_[p].previous) {
    if (matches(p)) earliest = p;
  }
  return earliest;
}

std::optional<std::size_t> QsoLog::firstEqual(const Chain& chain, const QsoRecord& record,
                                              std::uint32_t contentTag) const {
  if ((chain.contentBits & ContentBit(contentTag)) == 0) return std::nullopt;
  return firstOf(chain, [&](std::uint32_t p) {
    return links_[p].contentTag == contentTag && records_[p].equals(record);
  });
}

const QsoLog::Chain* QsoLog::chainOf(const std::string& call, const std::string& band,
                                     const std::string& mode) const {
  const auto it = chains_.find(KeyTag(call, band, mode));
  return it == chains_.end() ? nullptr : &it->second;
}

std::size_t QsoLog::append(const QsoRecord& record) { return append(QsoRecord(record)); }

std::size_t QsoLog::append(QsoRecord&& record) {
  const std::uint32_t contentTag = ContentTag(record);
  Chain& chain = chains_[KeyTag(record.call, record.band, record.mode)];
  return store(std::move(record), chain, contentTag);
}

bool QsoLog::appendIfNew(QsoRecord&& record) {
  const std::uint32_t contentTag = ContentTag(record);
  Chain& chain = chains_[KeyTag(record.call, record.band, record.mode)];
  if (firstEqual(chain, record, contentTag)) return false;
  store(std::move(record), chain, contentTag);
  return true;
}

// Adds `record` at the end of the log and of `chain`. Should memory run out
// on the way, the log stays as it was, but for an empty chain or an
// uncounted multiplier key.
std::size_t QsoLog::store(QsoRecord&& record, Chain& chain, std::uint32_t contentTag) {
  const auto at = static_cast<std::uint32_t>(records_.size());
  links_.push_back(Link{chain.last, contentTag});
  try {
    records_.push_back(std::move(record));
  } catch (...) {
    links_.pop_back();
    throw;
  }
  chain.last = at;
  chain.contentBits |= ContentBit(contentTag);
  const QsoRecord& stored = records_.back();
  ++maCounts_[stored.maKey];
  ++oblCounts_[stored.oblKey];
  return at;
}

void QsoLog::removeAt(std::size_t index) {
  unlink(index);
  CountOut(maCounts_, records_[index].maKey);
  CountOut(oblCounts_, records_[index].oblKey);
  records_.erase(records_.begin() + static_cast<std::ptrdiff_t>(index));
  links_.erase(links_.begin() + static_cast<std::ptrdiff_t>(index));
  renumberAfter(index);
}

void QsoLog::clear() { *this = QsoLog(); }

// Takes `index` out of its chain, and the chain out of the map when that
// leaves it empty.
void QsoLog::unlink(std::size_t index) {
  const QsoRecord& r = records_[index];
  const auto it = chains_.find(KeyTag(r.call, r.band, r.mode));
  Chain& chain = it.value();
  std::uint32_t after = kNone;
  for (std::uint32_t p = chain.last; p != index; p = links_[p].previous) after = p;
  const std::uint32_t before = links_[index].previous;
  (after == kNone ? chain.last : links_[after].previous) = before;
  if (chain.last == kNone) {
    chains_.erase(it);
    return;
  }
  chain.contentBits = 0;
  for (std::uint32_t p = chain.last; p != kNone; p = links_[p].previous) {
    chain.contentBits |= ContentBit(links_[p].contentTag);
  }
}

// Every record after `index` moved one place down.
void QsoLog::renumberAfter(std::size_t index) {
  const auto shift = [index](std::uint32_t& p) { p -= p != kNone && p > index ? 1 : 0; };
  for (Link& link : links_) shift(link.previous);
  for (auto it = chains_.begin(); it != chains_.end(); ++it) shift(it.value().last);
}

std::optional<std::size_t> QsoLog::findEqual(const QsoRecord& record) const {
  const Chain* chain = chainOf(record.call, record.band, record.mode);
  if (!chain) return std::nullopt;
  return firstEqual(*chain, record, ContentTag(record));
}

std::optional<std::size_t> QsoLog::findFirst(const std::string& call, const std::string& mode,
                                             const std::string& band) const {
  const Chain* chain = chainOf(call, band, mode);
  if (!chain) return std::nullopt;
  return firstOf(*chain, [&](std::uint32_t p) { return SameKeyAs(records_[p], call, mode, band); });
}

std::optional<std::size_t> QsoLog::findFirstInTour(const std::string& call,
                                                   const std::string& mode,
                                                   const std::string& band, int tour) const {
  if (tour < 0 || tour >= kTourCount) return std::nullopt;
  const Chain* chain = chainOf(call, band, mode);
  if (!chain) return std::nullopt;
  return firstOf(*chain, [&](std::uint32_t p) {
    return SameKeyAs(records_[p], call, mode, band) && TourOf(records_[p].time) == tour;
  });
}

}  // namespace rezov
