#include "tools/logs/exchange.h"

#include <array>
#include <cstddef>

#include "tools/logs/contact_log.h"

namespace rezov {
namespace {

enum class ItemKind { kNumber, kNumberAndRegion, kWord };
constexpr std::size_t kItemKinds = 3;
constexpr std::size_t kLinesToTellReports = 5;

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

ItemKind KindOf(const std::string& item) {
  if (AllDigits(item)) return ItemKind::kNumber;
  std::size_t digits = 0;
  while (digits < item.size() && item[digits] >= '0' && item[digits] <= '9') ++digits;
  if (digits == 0 || digits == item.size()) return ItemKind::kWord;
  for (std::size_t i = digits; i < item.size(); ++i) {
    if (!IsLetter(item[i])) return ItemKind::kWord;
  }
  return ItemKind::kNumberAndRegion;
}

// A readability-strength-tone report ("59", "599", "579"): what loggers put
// first in an exchange, and what a serial number rarely looks like in every
// line of a log.
bool IsReport(const std::string& item) {
  const auto digit = [&](std::size_t i, char low) {
    return item[i] >= low && item[i] <= '9';
  };
  return (item.size() == 2 || item.size() == 3) && item[0] >= '1' && item[0] <= '5' &&
         digit(1, '1') && (item.size() == 2 || digit(2, '1'));
}

// One column of a log's exchanges: its most frequent kind, and whether
// nearly all of it are signal reports.
struct Column {
  ItemKind kind = ItemKind::kWord;
  bool reports = false;
};

// Roles from the columns' kinds, left to right. A first column of reports
// is taken for one when a number follows it; before a word ("599 MA" or
// "15 MA") only when the log has enough lines to tell reports from serial
// numbers.
std::vector<ExchangeRole> RolesOfColumns(const std::vector<Column>& columns,
                                         std::size_t lines) {
  std::vector<ExchangeRole> roles(columns.size(), ExchangeRole::kOther);
  std::size_t at = 0;
  if (columns.size() >= 2 && columns[0].reports &&
      (columns[1].kind != ItemKind::kWord || lines >= kLinesToTellReports)) {
    roles[at++] = ExchangeRole::kReport;
  }
  if (at == columns.size()) return roles;
  switch (columns[at].kind) {
    case ItemKind::kNumberAndRegion: roles[at] = ExchangeRole::kSerialAndRegion; break;
    case ItemKind::kNumber:
      roles[at] = ExchangeRole::kSerial;
      if (at + 1 < columns.size() && columns[at + 1].kind == ItemKind::kWord) {
        roles[at + 1] = ExchangeRole::kRegion;
      }
      break;
    case ItemKind::kWord: roles[at] = ExchangeRole::kRegion; break;
  }
  return roles;
}

// "001MA" as its serial and its region.
void SplitNumberAndRegion(const std::string& item, Exchange& e) {
  std::size_t digits = 0;
  while (digits < item.size() && item[digits] >= '0' && item[digits] <= '9') ++digits;
  e.serial = item.substr(0, digits);
  e.region = item.substr(digits);
}

}  // namespace

std::vector<ExchangeRole> ExchangeRoles(const std::vector<std::vector<std::string>>& exchanges) {
  ExchangeTally tally;
  for (const std::vector<std::string>& e : exchanges) tally.Add(e.data(), e.size());
  return tally.Roles();
}

void ExchangeTally::Add(const std::string* items, std::size_t count) {
  if (exchanges_++ == 0) columns_.resize(count);
  for (std::size_t c = 0; c < columns_.size() && c < count; ++c) {
    ++columns_[c].kinds[static_cast<std::size_t>(KindOf(items[c]))];
    columns_[c].reports += IsReport(items[c]) ? 1 : 0;
  }
}

std::vector<ExchangeRole> ExchangeTally::Roles() const {
  if (exchanges_ == 0) return {};
  std::vector<Column> columns;
  for (const ColumnCounts& tallied : columns_) {
    Column column;
    std::size_t best = 0;
    for (std::size_t k = 0; k < kItemKinds; ++k) {
      if (tallied.kinds[k] > best) {
        best = tallied.kinds[k];
        column.kind = static_cast<ItemKind>(k);
      }
    }
    column.reports = tallied.reports * 10 >= exchanges_ * 9;
    columns.push_back(column);
  }
  return RolesOfColumns(columns, exchanges_);
}

Exchange ExchangeOf(const std::vector<std::string>& items,
                    const std::vector<ExchangeRole>& roles) {
  Exchange e;
  for (std::size_t i = 0; i < items.size() && i < roles.size(); ++i) {
    switch (roles[i]) {
      case ExchangeRole::kReport: e.report = items[i]; break;
      case ExchangeRole::kSerial: e.serial = items[i]; break;
      case ExchangeRole::kRegion: e.region = items[i]; break;
      case ExchangeRole::kSerialAndRegion: SplitNumberAndRegion(items[i], e); break;
      case ExchangeRole::kOther: break;
    }
  }
  return e;
}

Exchange ExchangeOf(const std::string& text) {
  const std::vector<std::string> items = Items(text);
  return ExchangeOf(items, ExchangeRoles({items}));
}

std::string HostExchange(const Exchange& e) {
  const std::string serial = PaddedNumber(e.serial);
  if (serial.empty() || e.region.empty()) return serial + e.region;
  return serial + " " + e.region;
}

std::string RolesText(const std::vector<ExchangeRole>& roles) {
  static const char* const kNames[] = {"report", "serial", "region", "serial+region", "item"};
  std::string text;
  for (ExchangeRole role : roles) {
    text += (text.empty() ? "" : " ") + std::string(kNames[static_cast<std::size_t>(role)]);
  }
  return text;
}

}  // namespace rezov
