#include "tools/logs/csv_text.h"

#include <algorithm>
#include <cstdio>

namespace rezov {
namespace {

bool IsControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// "-3", "+12", "0.5": a number a spreadsheet reads as one.
bool IsNumber(std::string_view text) {
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
  const std::size_t point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view("0") : text.substr(point + 1);
  return !whole.empty() && !fraction.empty() && std::all_of(whole.begin(), whole.end(), IsDigit) &&
         std::all_of(fraction.begin(), fraction.end(), IsDigit);
}

// A spreadsheet takes a cell that starts with one of these for a formula,
// which a hostile log could make run a command.
bool StartsFormula(std::string_view text) {
  return !text.empty() && std::string_view("=+-@").find(text.front()) != std::string_view::npos &&
         !IsNumber(text);
}

// The text of a cell: a control character (a NUL, a line break, an escape
// sequence a log slipped in) as \xNN, and a would-be formula after a '.
std::string CellText(std::string_view text) {
  std::string cell = StartsFormula(text) ? "'" : "";
  for (char c : text) {
    if (!IsControl(c)) {
      cell += c;
      continue;
    }
    char escape[8];
    std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned char>(c));
    cell += escape;
  }
  return cell;
}

void AppendField(std::string& out, std::string_view field) {
  const bool plain = !StartsFormula(field) && std::none_of(field.begin(), field.end(), [](char c) {
    return IsControl(c) || c == ',' || c == '"';
  });
  if (plain) {
    out += field;
    return;
  }
  const std::string text = CellText(field);
  if (text.find_first_of(",\"") == std::string::npos) {
    out += text;
    return;
  }
  out += '"';
  for (char ch : text) {
    if (ch == '"') out += '"';
    out += ch;
  }
  out += '"';
}

}  // namespace

void AppendCsvRow(std::string& out, std::initializer_list<std::string_view> fields) {
  bool first = true;
  for (std::string_view field : fields) {
    if (!first) out += ',';
    first = false;
    AppendField(out, field);
  }
  out += "\r\n";
}

std::vector<std::string> CsvFields(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
      fields.back() += '"';
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (c == ',' && !quoted) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

}  // namespace rezov
