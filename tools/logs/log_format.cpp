#include "tools/logs/log_format.h"

#include <algorithm>

#include "tools/logs/adif_reader.h"
#include "tools/logs/cabrillo_reader.h"
#include "tools/logs/log_text.h"

namespace rezov {
namespace {

std::string Extension(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  const std::size_t dot = path.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  return UpperAscii(path.substr(dot + 1));
}

// Control bytes other than the blanks of text: a few in a text file are
// damage, many are another kind of file.
bool LooksBinary(const std::string& text) {
  const std::size_t control = static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) {
        return (c >= 0 && c < 0x20 && c != '\t' && c != '\r' && c != '\n' && c != '\f') ||
               c == 0x7F;
      }));
  return control * 20 > text.size();
}

// Most non-empty lines hold the same number, at least two, of commas.
bool LooksLikeCsv(const std::string& text) {
  std::size_t lines = 0;
  std::size_t alike = 0;
  long commasOfFirst = -1;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const long commas = std::count(text.begin() + static_cast<long>(start),
                                   text.begin() + static_cast<long>(end), ',');
    if (end > start + 1) {
      if (commasOfFirst < 0) commasOfFirst = commas;
      ++lines;
      alike += commas >= 2 && commas == commasOfFirst ? 1 : 0;
    }
    start = end + 1;
  }
  return lines > 0 && alike * 2 > lines;
}

bool Contains(const std::string& text, const std::string& upperWord) {
  return UpperAscii(text).find(upperWord) != std::string::npos;
}

}  // namespace

Result<ContactLog> ReadLog(const std::string& path, const std::string& bytes) {
  const std::string text = LogText(bytes);
  if (LooksBinary(text)) return Fail("no contact read: it holds binary data, not the text of a log");
  const std::string ext = Extension(path);
  if (ext == "ADI" || ext == "ADIF") return ReadAdif(text);
  if (ext == "CBR" || ext == "LOG") return ReadCabrillo(text);
  return LooksLikeCabrillo(text) ? ReadCabrillo(text) : ReadAdif(text);
}

std::string DescribeContent(const std::string& bytes) {
  const std::string text = WithoutByteOrderMark(LogText(bytes));
  if (text.find_first_not_of(" \t\r\n") == std::string::npos) return "it is empty";
  if (Contains(text, "START-OF-LOG:")) return "it is a Cabrillo header with no QSO: line";
  if (Contains(text, "<EOH>") || Contains(text, "<EOR>")) {
    return "it is an ADIF file with no record that is a contact";
  }
  if (LooksLikeCsv(text)) {
    return "it is comma-separated values (another program's own log or a spreadsheet), not "
           "ADIF or Cabrillo";
  }
  return "it is text with neither ADIF fields nor Cabrillo QSO: lines";
}

}  // namespace rezov
