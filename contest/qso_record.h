// One stored contact and the log that holds them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "contest/ole_date.h"

namespace rezov {

// A contact as the module keeps it: the host's texts it needs, the
// normalised exchanges, the one multiplier key it counts for, the frequency
// in kHz and the time with its status.
struct QsoRecord {
  std::string call;
  std::string country;
  std::string auxText;
  std::string band;
  std::string mode;
  std::string rcvdInfo;
  std::string sentInfo;
  std::string rcvdExchange;
  std::string sentExchange;
  std::string maKey;
  std::string gridKey;
  std::string oblKey;
  std::int32_t freqKhz = 0;
  OleDate time;

  // Every field equal, byte for byte and case-sensitively for the texts;
  // times equal in status and numeric value.
  bool equals(const QsoRecord& other) const;
};

// A tour is one half of a UTC clock hour; the date takes no part. Tours are
// numbered 0 to 47: twice the hour, plus one from minute 30 on.
constexpr int kNoTour = -1;
constexpr int kTourCount = 48;

// The tour of a stored time, read after rounding to the whole second;
// kNoTour for a time with no clock reading (not valid, not finite, outside
// the years 100 to 9999).
int TourOf(const OleDate& time);

// The tour of a clock reading; kNoTour when the hour is not 0 to 23, as no
// stored time can then share its tour.
int TourOfClock(int hour, int minute);

// The log in order of appending; removal closes the gap. Every search
// answers as a scan from index 0 would, the earliest entry winning, but
// goes through indexes kept beside the records, so a search costs about as
// much on a long log as on a short one.
class QsoLog {
 public:
  std::size_t size() const { return order_.size(); }
  const QsoRecord& at(std::size_t index) const { return slot(order_[index]); }
  std::size_t append(const QsoRecord& record);
  void removeAt(std::size_t index);
  void clear();

  // The earliest record that equals `record`.
  std::optional<std::size_t> findEqual(const QsoRecord& record) const;
  // The earliest record with this call, mode and band.
  std::optional<std::size_t> findFirst(const std::string& call,
                                       const std::string& mode,
                                       const std::string& band) const;
  // The earliest record with this call, mode and band whose time lies in
  // `tour` (see TourOf); empty for kNoTour.
  std::optional<std::size_t> findFirstInTour(const std::string& call,
                                             const std::string& mode,
                                             const std::string& band, int tour) const;
  // Whether any record has this `maKey` (or this `oblKey`); the empty text
  // is a value like any other.
  bool hasMaKey(const std::string& key) const { return maCounts_.count(key) != 0; }
  bool hasOblKey(const std::string& key) const { return oblCounts_.count(key) != 0; }

 private:
  static constexpr std::uint32_t kNone = 0xFFFFFFFFu;

  // A chain: the ids, in ascending (that is, log) order, of the records
  // whose hash has the low 32 bits `tag`. Different keys may share a chain,
  // so every walk compares the records themselves.
  struct Chain {
    std::uint32_t tag = 0;
    std::uint32_t head = kNone;  // kNone marks a free slot of the table
    std::uint32_t tail = kNone;
  };
  struct TourChain : Chain {
    std::uint64_t tours = 0;  // bit t set when some id of the chain lies in tour t
  };

  // Chains by tag in an open-addressing table: linear probing, at most half
  // full, backward-shift erase.
  template <typename ChainType>
  class ChainTable {
   public:
    const ChainType* find(std::uint32_t tag) const;
    ChainType* find(std::uint32_t tag);
    // The chain of `tag`; a new one starts as the single id `firstId`, and
    // `added` tells which happened. Invalidates earlier pointers.
    ChainType& findOrAdd(std::uint32_t tag, std::uint32_t firstId, bool& added);
    void erase(std::uint32_t tag);
    void clear();
    // Where the search for `tag` starts, for a prefetch; null when empty.
    const void* homeOf(std::uint32_t tag) const {
      return entries_.empty() ? nullptr : &entries_[slotOf(tag)];
    }

   private:
    std::size_t slotOf(std::uint32_t tag) const { return tag & (entries_.size() - 1); }
    void grow();
    std::vector<ChainType> entries_;
    std::size_t used_ = 0;
  };

  // Per record id: the next id of its chains, and its tour.
  struct Links {
    std::uint32_t nextEqual = kNone;
    std::uint32_t nextSameKey = kNone;
    std::int8_t tour = kNoTour;
    bool inEqualIndex = false;
  };

  // Records live in blocks of 256 (about 100 KB), so growing the log never
  // moves or copies a stored record, and no block is big enough to need a
  // mapping of its own from the system.
  static constexpr std::uint32_t kBlockBits = 8;
  static constexpr std::uint32_t kBlockSize = 1u << kBlockBits;
  const QsoRecord& slot(std::uint32_t id) const {
    return blocks_[id >> kBlockBits][id & (kBlockSize - 1)];
  }
  QsoRecord& slot(std::uint32_t id) { return blocks_[id >> kBlockBits][id & (kBlockSize - 1)]; }

  std::size_t positionOf(std::uint32_t id) const;
  void indexRecord(std::uint32_t id);
  void unindexRecord(std::uint32_t id);
  void unlinkEqual(std::uint32_t id);
  void unlinkSameKey(std::uint32_t id);
  void compact();

  // Records by id; ids count appends since the last clear or compaction, so
  // they ascend in log order. A removed record leaves an empty slot, and
  // compaction keeps the slots below twice the records plus 65, far from
  // kNone.
  std::vector<std::vector<QsoRecord>> blocks_;
  std::uint32_t slotCount_ = 0;
  std::vector<Links> links_;
  // The ids of the stored records in log order: `at(i)` is slot(order_[i]).
  std::vector<std::uint32_t> order_;
  // Hash of all fields -> ids; a record whose time is NaN equals nothing and
  // is left out.
  ChainTable<Chain> equalIndex_;
  // Hash of (call, band, mode) -> ids, with the tours they lie in.
  ChainTable<TourChain> keyIndex_;
  // Number of records per maKey and per oblKey value.
  std::unordered_map<std::string, std::uint32_t> maCounts_;
  std::unordered_map<std::string, std::uint32_t> oblCounts_;
};

// The distinct band names in the order first met (until the summary reorders
// them in place).
class BandList {
 public:
  std::size_t size() const { return names_.size(); }
  const std::string& at(std::size_t index) const { return names_[index]; }
  // Writing through the reference may change the set of names, so the
  // membership index is built again when next needed.
  std::string& at(std::size_t index) {
    indexValid_ = false;
    return names_[index];
  }
  std::size_t append(const std::string& name);
  bool contains(const std::string& name) const;
  void clear();

 private:
  std::vector<std::string> names_;
  // Used only past a handful of names, where a scan stops being cheap.
  mutable std::unordered_set<std::string> index_;
  mutable bool indexValid_ = false;
};

}  // namespace rezov
