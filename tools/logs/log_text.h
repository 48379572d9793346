// The text of a log file as every reader of the tools sees it, whatever
// the logger saved: the one place where encodings and line ends are made
// alike, for the replay tool and the checker both.
#pragma once

#include <string>

namespace rezov {

// The bytes of a log file as text the readers take:
// - UTF-16 after its byte order mark (FF FE little-endian, FE FF
//   big-endian), as some Windows loggers and editors save, becomes UTF-8;
// - a lone CR, the line end of classic Mac OS and of some loggers' exports,
//   becomes LF, so that such a file is not one long line. A CR of a CR LF
//   pair stays, and the conversion keeps every byte's offset.
// Any other bytes, a UTF-8 byte order mark among them, stay as they are.
// Positions the readers report (line numbers, byte offsets) count in this
// text.
std::string LogText(std::string bytes);

}  // namespace rezov
