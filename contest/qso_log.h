// The contest log: the stored contacts in order of appending.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <tsl/robin_map.h>

#include "contest/qso_record.h"

namespace rezov {

// The records, held by value in one contiguous array in order of appending;
// removal closes the gap. Every search answers as a scan from index 0
// would, the earliest record winning, but looks the records up by their
// content instead of scanning, so that a search costs about as much on a
// long log as on a short one.
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
  // The positions of the records that share one hash, ascending. Most
  // hashes have one record, kept inline; more go to the vector.
  struct Positions {
    std::uint32_t first = 0;
    std::vector<std::uint32_t> more;
  };
  // The records of one (call, band, mode) hash, and the tours they lie in:
  // bit t set when one of them lies in tour t.
  struct SameKey {
    std::uint64_t tours = 0;
    Positions positions;
  };
  using Counts = tsl::robin_map<std::string, std::uint32_t>;

  // The first position of `list` for which `matches` holds.
  template <typename Matches>
  static std::optional<std::size_t> FirstOf(const Positions& list, Matches matches);
  // Takes `index` out of the list; false when the list is then empty.
  static bool Drop(Positions& list, std::size_t index);
  std::size_t store(QsoRecord&& record, std::size_t keyHash);
  void forget(std::size_t index);
  void renumberAfter(std::size_t index);

  std::vector<QsoRecord> records_;
  // Positions by a hash of (call, band, mode), and by a hash of that, the
  // time and the frequency (equal records hash alike). Records that merely
  // share a hash share a list, so every look-up compares the records
  // themselves.
  tsl::robin_map<std::size_t, SameKey> byKey_;
  tsl::robin_map<std::size_t, Positions> byContent_;
  // Number of records per maKey and per oblKey value.
  Counts maCounts_;
  Counts oblCounts_;
};

}  // namespace rezov
