// The exchange of this contest as loggers write it: an optional signal
// report, the serial number and the region, in one item or several
// ("599 001 MA", "001 MA", "001MA", "1 MA").
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace rezov {

struct Exchange {
  std::string report;
  std::string serial;
  std::string region;
};

// What each item of a log's exchanges stands for, decided once for a whole
// log from all its lines.
enum class ExchangeRole { kReport, kSerial, kRegion, kSerialAndRegion, kOther };

// The roles of the columns of a log's exchanges, from every exchange of the
// log (each a list of items, all of one length): a first column of signal
// reports (nearly all "59", "599" and the like) when more follows, then the
// serial number and region, together in one item or in two.
std::vector<ExchangeRole> ExchangeRoles(const std::vector<std::vector<std::string>>& exchanges);

// What ExchangeRoles weighs, gathered one exchange at a time, so that a long
// log's exchanges need not be held all at once: per column, how many items
// are of each kind and how many are signal reports.
class ExchangeTally {
 public:
  // Counts one exchange; every exchange of a tally has as many items.
  void Add(const std::string* items, std::size_t count);
  // The roles ExchangeRoles gives for the exchanges added.
  std::vector<ExchangeRole> Roles() const;

 private:
  struct ColumnCounts {
    std::array<std::size_t, 3> kinds{};
    std::size_t reports = 0;
  };
  std::vector<ColumnCounts> columns_;
  std::size_t exchanges_ = 0;
};

// The parts of one exchange whose items have the given roles.
Exchange ExchangeOf(const std::vector<std::string>& items,
                    const std::vector<ExchangeRole>& roles);

// The parts of one exchange written as free text, its roles read from
// itself alone (ADIF's SRX_STRING and STX_STRING).
Exchange ExchangeOf(const std::string& text);

// The received exchange as the host hands it to the module: the serial
// number padded to three digits, a blank and the region ("001 MA"); only
// the part that is there when the other is missing.
std::string HostExchange(const Exchange& exchange);

// "report serial region" with the roles' names, for messages about a log's
// layout.
std::string RolesText(const std::vector<ExchangeRole>& roles);

}  // namespace rezov
