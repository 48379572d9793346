#include "contest/qso_record.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace rezov {
namespace {

// A small multiply-xorshift hash over whole 8-byte words: every step is
// invertible, and Finish spreads the bits so that the low ones pick a slot.
std::uint64_t Mix(std::uint64_t h, std::uint64_t word) {
  h ^= word;
  h *= 0x9E3779B97F4A7C15ull;
  return h ^ (h >> 29);
}

std::uint64_t Finish(std::uint64_t h) {
  h ^= h >> 33;
  h *= 0xFF51AFD7ED558CCDull;
  h ^= h >> 33;
  h *= 0xC4CEB9FE1A85EC53ull;
  return h ^ (h >> 33);
}

std::uint64_t Load64(const unsigned char* p) {
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
  return word;
}

std::uint64_t Load32(const unsigned char* p) {
  std::uint32_t word;
  std::memcpy(&word, p, sizeof word);
  return word;
}

// Whole 8-byte words first, then the last 1 to 7 bytes as one word (two
// overlapping 4-byte loads, or single bytes), then the length, so that texts
// which only add up to the same bytes ("AB" + "C", "A" + "BC") hash apart.
std::uint64_t MixText(std::uint64_t h, const std::string& text) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text.data());
  std::size_t n = text.size();
  for (; n >= 8; p += 8, n -= 8) h = Mix(h, Load64(p));
  std::uint64_t last = 0;
  if (n >= 4) {
    last = Load32(p) | Load32(p + n - 4) << 32;
  } else if (n > 0) {
    last = std::uint64_t{p[0]} | std::uint64_t{p[n / 2]} << 8 | std::uint64_t{p[n - 1]} << 16;
  }
  return Mix(h + text.size(), last);
}

std::uint32_t KeyTag(const std::string& call, const std::string& band,
                     const std::string& mode) {
  return static_cast<std::uint32_t>(Finish(MixText(MixText(MixText(0, call), band), mode)));
}

// Agrees with QsoRecord::equals: equal records hash alike. The time's value
// is hashed by its bits with -0.0 taken as 0.0, the only two distinct bit
// patterns that compare equal (a NaN compares equal to nothing).
std::uint32_t RecordTag(const QsoRecord& r) {
  std::uint64_t h = 0;
  for (const std::string* text :
       {&r.call, &r.country, &r.auxText, &r.band, &r.mode, &r.rcvdInfo, &r.sentInfo,
        &r.rcvdExchange, &r.sentExchange, &r.maKey, &r.gridKey, &r.oblKey}) {
    h = MixText(h, *text);
  }
  const double value = r.time.value == 0.0 ? 0.0 : r.time.value;
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  h = Mix(h, bits);
  h = Mix(h, static_cast<std::uint32_t>(r.freqKhz) |
                 static_cast<std::uint64_t>(static_cast<std::uint32_t>(r.time.status)) << 32);
  return static_cast<std::uint32_t>(Finish(h));
}

std::uint64_t TourBit(int tour) {
  return tour == kNoTour ? 0 : std::uint64_t{1} << tour;
}

bool SameKey(const QsoRecord& r, const std::string& call, const std::string& mode,
             const std::string& band) {
  return r.call == call && r.mode == mode && r.band == band;
}

void CountIn(std::unordered_map<std::string, std::uint32_t>& counts,
             const std::string& key) {
  ++counts[key];
}

void CountOut(std::unordered_map<std::string, std::uint32_t>& counts,
              const std::string& key) {
  const auto it = counts.find(key);
  if (it != counts.end() && --it->second == 0) counts.erase(it);
}

}  // namespace

bool QsoRecord::equals(const QsoRecord& other) const {
  return call == other.call && country == other.country &&
         auxText == other.auxText && band == other.band &&
         mode == other.mode && rcvdInfo == other.rcvdInfo &&
         sentInfo == other.sentInfo && rcvdExchange == other.rcvdExchange &&
         sentExchange == other.sentExchange && maKey == other.maKey &&
         gridKey == other.gridKey && oblKey == other.oblKey &&
         freqKhz == other.freqKhz && time == other.time;
}

int TourOf(const OleDate& time) {
  const std::optional<CalendarTime> t = ToCalendar(time);
  return t ? TourOfClock(t->hour, t->minute) : kNoTour;
}

int TourOfClock(int hour, int minute) {
  if (hour < 0 || hour > 23) return kNoTour;
  return hour * 2 + (minute >= 30 ? 1 : 0);
}

// ---- ChainTable

template <typename ChainType>
const ChainType* QsoLog::ChainTable<ChainType>::find(std::uint32_t tag) const {
  if (entries_.empty()) return nullptr;
  for (std::size_t i = slotOf(tag);; i = (i + 1) & (entries_.size() - 1)) {
    const ChainType& c = entries_[i];
    if (c.head == kNone) return nullptr;
    if (c.tag == tag) return &c;
  }
}

template <typename ChainType>
ChainType* QsoLog::ChainTable<ChainType>::find(std::uint32_t tag) {
  return const_cast<ChainType*>(static_cast<const ChainTable*>(this)->find(tag));
}

template <typename ChainType>
ChainType& QsoLog::ChainTable<ChainType>::findOrAdd(std::uint32_t tag, std::uint32_t firstId,
                                                    bool& added) {
  if ((used_ + 1) * 2 > entries_.size()) grow();
  std::size_t i = slotOf(tag);
  for (; entries_[i].head != kNone; i = (i + 1) & (entries_.size() - 1)) {
    if (entries_[i].tag == tag) {
      added = false;
      return entries_[i];
    }
  }
  ++used_;
  added = true;
  ChainType& c = entries_[i];
  c = ChainType{};
  c.tag = tag;
  c.head = c.tail = firstId;
  return c;
}

template <typename ChainType>
void QsoLog::ChainTable<ChainType>::erase(std::uint32_t tag) {
  const std::size_t mask = entries_.size() - 1;
  std::size_t hole = static_cast<std::size_t>(find(tag) - entries_.data());
  // Move later members of the probe run back into the hole unless that
  // would put them before their home slot.
  for (std::size_t j = (hole + 1) & mask; entries_[j].head != kNone; j = (j + 1) & mask) {
    const std::size_t home = slotOf(entries_[j].tag);
    const bool homeInHoleToJ =
        hole <= j ? (hole < home && home <= j) : (hole < home || home <= j);
    if (homeInHoleToJ) continue;
    entries_[hole] = entries_[j];
    hole = j;
  }
  entries_[hole] = ChainType{};
  --used_;
}

template <typename ChainType>
void QsoLog::ChainTable<ChainType>::grow() {
  std::vector<ChainType> old(std::max<std::size_t>(16, entries_.size() * 2));
  old.swap(entries_);
  for (const ChainType& c : old) {
    if (c.head == kNone) continue;
    std::size_t i = slotOf(c.tag);
    while (entries_[i].head != kNone) i = (i + 1) & (entries_.size() - 1);
    entries_[i] = c;
  }
}

template <typename ChainType>
void QsoLog::ChainTable<ChainType>::clear() {
  std::fill(entries_.begin(), entries_.end(), ChainType{});
  used_ = 0;
}

// ---- QsoLog

std::size_t QsoLog::append(const QsoRecord& record) {
  const std::uint32_t id = slotCount_++;
  if (id % kBlockSize == 0) {
    blocks_.emplace_back();
    blocks_.back().reserve(kBlockSize);
  }
  blocks_.back().push_back(record);
  Links links;
  links.tour = static_cast<std::int8_t>(TourOf(record.time));
  links_.push_back(links);
  order_.push_back(id);
  indexRecord(id);
  CountIn(maCounts_, record.maKey);
  CountIn(oblCounts_, record.oblKey);
  return order_.size() - 1;
}

void QsoLog::removeAt(std::size_t index) {
  const std::uint32_t id = order_[index];
  CountOut(maCounts_, slot(id).maKey);
  CountOut(oblCounts_, slot(id).oblKey);
  unindexRecord(id);
  slot(id) = QsoRecord{};
  order_.erase(order_.begin() + static_cast<std::ptrdiff_t>(index));
  // Empty slots are reclaimed once they outnumber the records, so the
  // renumbering costs a constant per removal on average.
  const std::size_t empty = slotCount_ - order_.size();
  if (empty > 64 && empty > order_.size()) compact();
}

void QsoLog::clear() { *this = QsoLog(); }

std::optional<std::size_t> QsoLog::findEqual(const QsoRecord& record) const {
  // As a rule the search is followed by the append of the same record; the
  // slots that append needs are loaded while this search waits for its own.
  const std::uint32_t tag = RecordTag(record);
  if (const void* home = equalIndex_.homeOf(tag)) __builtin_prefetch(home);
  const void* keyHome = keyIndex_.homeOf(KeyTag(record.call, record.band, record.mode));
  if (keyHome) __builtin_prefetch(keyHome);
  if (std::isnan(record.time.value)) return std::nullopt;
  const Chain* chain = equalIndex_.find(tag);
  if (!chain) return std::nullopt;
  for (std::uint32_t id = chain->head; id != kNone; id = links_[id].nextEqual) {
    if (slot(id).equals(record)) return positionOf(id);
  }
  return std::nullopt;
}

std::optional<std::size_t> QsoLog::findFirst(const std::string& call,
                                             const std::string& mode,
                                             const std::string& band) const {
  const Chain* chain = keyIndex_.find(KeyTag(call, band, mode));
  if (!chain) return std::nullopt;
  for (std::uint32_t id = chain->head; id != kNone; id = links_[id].nextSameKey) {
    if (SameKey(slot(id), call, mode, band)) return positionOf(id);
  }
  return std::nullopt;
}

std::optional<std::size_t> QsoLog::findFirstInTour(const std::string& call,
                                                   const std::string& mode,
                                                   const std::string& band,
                                                   int tour) const {
  if (tour < 0 || tour >= kTourCount) return std::nullopt;
  const TourChain* chain = keyIndex_.find(KeyTag(call, band, mode));
  if (!chain || (chain->tours & TourBit(tour)) == 0) return std::nullopt;
  for (std::uint32_t id = chain->head; id != kNone; id = links_[id].nextSameKey) {
    if (links_[id].tour == tour && SameKey(slot(id), call, mode, band)) {
      return positionOf(id);
    }
  }
  return std::nullopt;
}

std::size_t QsoLog::positionOf(std::uint32_t id) const {
  return static_cast<std::size_t>(std::lower_bound(order_.begin(), order_.end(), id) -
                                  order_.begin());
}

void QsoLog::indexRecord(std::uint32_t id) {
  const QsoRecord& r = slot(id);
  Links& own = links_[id];
  bool added = false;
  if (!std::isnan(r.time.value)) {
    Chain& equal = equalIndex_.findOrAdd(RecordTag(r), id, added);
    if (!added) {
      links_[equal.tail].nextEqual = id;
      equal.tail = id;
    }
    own.inEqualIndex = true;
  }
  TourChain& key = keyIndex_.findOrAdd(KeyTag(r.call, r.band, r.mode), id, added);
  if (!added) {
    links_[key.tail].nextSameKey = id;
    key.tail = id;
  }
  key.tours |= TourBit(own.tour);
}

void QsoLog::unindexRecord(std::uint32_t id) {
  if (links_[id].inEqualIndex) unlinkEqual(id);
  unlinkSameKey(id);
}

void QsoLog::unlinkEqual(std::uint32_t id) {
  const std::uint32_t tag = RecordTag(slot(id));
  Chain& chain = *equalIndex_.find(tag);
  std::uint32_t before = kNone;
  for (std::uint32_t x = chain.head; x != id; x = links_[x].nextEqual) before = x;
  const std::uint32_t after = links_[id].nextEqual;
  links_[id].nextEqual = kNone;
  links_[id].inEqualIndex = false;
  if (before == kNone && after == kNone) {
    equalIndex_.erase(tag);
    return;
  }
  (before == kNone ? chain.head : links_[before].nextEqual) = after;
  if (chain.tail == id) chain.tail = before;
}

void QsoLog::unlinkSameKey(std::uint32_t id) {
  const QsoRecord& r = slot(id);
  const std::uint32_t tag = KeyTag(r.call, r.band, r.mode);
  TourChain& chain = *keyIndex_.find(tag);
  std::uint32_t before = kNone;
  for (std::uint32_t x = chain.head; x != id; x = links_[x].nextSameKey) before = x;
  const std::uint32_t after = links_[id].nextSameKey;
  links_[id].nextSameKey = kNone;
  if (before == kNone && after == kNone) {
    keyIndex_.erase(tag);
    return;
  }
  (before == kNone ? chain.head : links_[before].nextSameKey) = after;
  if (chain.tail == id) chain.tail = before;
  chain.tours = 0;
  for (std::uint32_t x = chain.head; x != kNone; x = links_[x].nextSameKey) {
    chain.tours |= TourBit(links_[x].tour);
  }
}

// Renumbers the records 0 .. size()-1 in log order, dropping the empty
// slots (whole blocks left empty are freed), and builds the two id indexes
// again.
void QsoLog::compact() {
  for (std::size_t k = 0; k < order_.size(); ++k) {
    if (order_[k] != k) {
      slot(static_cast<std::uint32_t>(k)) = std::move(slot(order_[k]));
      links_[k].tour = links_[order_[k]].tour;
    }
    order_[k] = static_cast<std::uint32_t>(k);
  }
  slotCount_ = static_cast<std::uint32_t>(order_.size());
  const std::size_t blocksUsed = (slotCount_ + kBlockSize - 1) / kBlockSize;
  blocks_.resize(blocksUsed);
  if (blocksUsed != 0) blocks_.back().resize(slotCount_ - (blocksUsed - 1) * kBlockSize);
  links_.resize(order_.size());
  equalIndex_.clear();
  keyIndex_.clear();
  for (std::uint32_t id = 0; id < order_.size(); ++id) {
    links_[id].nextEqual = kNone;
    links_[id].nextSameKey = kNone;
    links_[id].inEqualIndex = false;
    indexRecord(id);
  }
}

// ---- BandList

namespace {
constexpr std::size_t kBandScanLimit = 8;
}  // namespace

std::size_t BandList::append(const std::string& name) {
  names_.push_back(name);
  if (indexValid_) index_.insert(name);
  return names_.size() - 1;
}

bool BandList::contains(const std::string& name) const {
  if (names_.size() <= kBandScanLimit) {
    return std::find(names_.begin(), names_.end(), name) != names_.end();
  }
  if (!indexValid_) {
    index_ = std::unordered_set<std::string>(names_.begin(), names_.end());
    indexValid_ = true;
  }
  return index_.count(name) != 0;
}

void BandList::clear() {
  std::vector<std::string>().swap(names_);
  std::unordered_set<std::string>().swap(index_);
  indexValid_ = false;
}

}  // namespace rezov
