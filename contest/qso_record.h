// One stored contact and the log that holds them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
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

// The log in order of appending; removal closes the gap. Searches over it are
// done by the callers, front to back, the earliest entry winning.
class QsoLog {
 public:
  std::size_t size() const { return records_.size(); }
  const QsoRecord& at(std::size_t index) const { return records_[index]; }
  std::size_t append(const QsoRecord& record);
  void removeAt(std::size_t index);
  void clear();

  // The earliest record that equals `record`.
  std::optional<std::size_t> findEqual(const QsoRecord& record) const;
  // The earliest record with this call, mode and band.
  std::optional<std::size_t> findFirst(const std::string& call,
                                       const std::string& mode,
                                       const std::string& band) const;

 private:
  std::vector<QsoRecord> records_;
};

// The distinct band names in the order first met (until the summary reorders
// them in place).
class BandList {
 public:
  std::size_t size() const { return names_.size(); }
  const std::string& at(std::size_t index) const { return names_[index]; }
  std::string& at(std::size_t index) { return names_[index]; }
  std::size_t append(const std::string& name);
  bool contains(const std::string& name) const;
  void clear();

 private:
  std::vector<std::string> names_;
};

}  // namespace rezov
