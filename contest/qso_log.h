// The contest log: the stored contacts in order of appending.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include <tsl/robin_map.h>

#include "contest/qso_record.h"

namespace rezov {

// The records, held by value in order of appending; removal closes the
// gap. Every search answers as a scan from index 0 would, the earliest
// record winning, but looks the records up by their call, band and mode
// instead of scanning, so that a search costs about as much on a long log
// as on a short one.
//
// A std::deque holds the records: it never moves a stored record as the
// log grows and keeps no room for records not yet added, where a vector
// would move every record at each doubling and hold up to twice the room.
class QsoLog {
 public:
  std::size_t size() const { return records_.size(); }
  const QsoRecord& at(std::size_t index) const { return records_[index]; }
  std::size_t append(const QsoRecord& record);
  std::size_t append(QsoRecord&& record);
  // Appends `record` unless the log holds an equal one (see findEqual);
  // true when it was appended. One look-up serves both the test and the
  // append.
  bool appendIfNew(QsoRecord&& record);
  // Linear in the size of the log, as closing the gap is.
  void removeAt(std::size_t index);
  void clear();

  // The earliest record that equals `record`.
  std::optional<std::size_t> findEqual(const QsoRecord& record) const;
  // The earliest record with this call, mode and band.
  std::optional<std::size_t> findFirst(const std::string& call, const std::string& mode,
                                       const std::string& band) const;
  // The earliest record with this call, mode and band whose time lies in
  // `tour` (see TourOf); empty for kNoTour.
  std::optional<std::size_t> findFirstInTour(const std::string& call, const std::string& mode,
                                             const std::string& band, int tour) const;
  // Whether any record has this `maKey` (or this `oblKey`); the empty text
  // is a value like any other.
  bool hasMaKey(const std::string& key) const { return maCounts_.count(key) != 0; }
  bool hasOblKey(const std::string& key) const { return oblCounts_.count(key) != 0; }

 private:
  static constexpr std::uint32_t kNone = 0xFFFFFFFFu;

  // Beside each record, at its position: the position before it in its
  // chain, and a tag of its time and frequency, which equal records share,
  // so that the search for an equal record reads a record only when the
  // tags agree.
  struct Link {
    std::uint32_t previous = kNone;
    std::uint32_t contentTag = 0;
  };
  // The records whose (call, band, mode) has one key tag, linked from the
  // last back to the first, so that an append writes its own link and the
  // chain's last position, and nothing beside an earlier record.
  // Records that merely share a tag share a chain, so every walk compares
  // the records themselves. A chain with no record (last kNone) is
  // harmless and is only ever left by an append that failed for want of
  // memory.
  struct Chain {
    std::uint32_t last = kNone;
    // Bit (contentTag % 32) of each record of the chain: where a record's
    // bit is clear, no record of the chain can equal it, and AddData's
    // search for a duplicate ends without walking the chain.
    std::uint32_t contentBits = 0;
  };
  using Chains = tsl::robin_map<std::uint32_t, Chain>;
  using Counts = tsl::robin_map<std::string, std::uint32_t>;

  // The earliest position of `chain` for which `matches` holds.
  template <typename Matches>
  std::optional<std::size_t> firstOf(const Chain& chain, Matches matches) const;
  // The earliest record of `chain` equal to `record`, whose tag is
  // `contentTag`.
  std::optional<std::size_t> firstEqual(const Chain& chain, const QsoRecord& record,
                                        std::uint32_t contentTag) const;
  const Chain* chainOf(const std::string& call, const std::string& band,
                       const std::string& mode) const;
  std::size_t store(QsoRecord&& record, Chain& chain, std::uint32_t contentTag);
  void unlink(std::size_t index);
  void renumberAfter(std::size_t index);

  std::deque<QsoRecord> records_;
  std::vector<Link> links_;
  Chains chains_;
  // Number of records per maKey and per oblKey value.
  Counts maCounts_;
  Counts oblCounts_;
};

}  // namespace rezov
