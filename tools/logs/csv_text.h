// The one CSV writer and reader of the tools: rows of text fields, CR LF
// line ends, fields quoted where they hold a comma or a quote. What a cell
// holds may come from a hostile log, and the files are opened in
// spreadsheets: no control character is written (each becomes \xNN), and a
// cell that starts with '=', '+', '-' or '@' without being a number, which
// a spreadsheet would take for a formula, is written after a '.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace rezov {

// Appends one row, CR LF at its end, each field made safe as above.
void AppendCsvRow(std::string& out, std::initializer_list<std::string_view> fields);

// The fields of one line of CSV text; quoted fields may hold commas and
// doubled quotes. A CR at the end of the line is no part of the last field.
std::vector<std::string> CsvFields(std::string_view line);

}  // namespace rezov
