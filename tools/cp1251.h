// Windows-1251 (the Cyrillic ANSI code page) to UTF-8, for showing the
// module's Russian refusal message on a UTF-8 terminal.
#pragma once

#include <string>

namespace rezov {

// Every byte of `text` as UTF-8: ASCII unchanged, the Cyrillic letters
// 0xC0-0xFF as А-я, the upper half's other characters (Ё, ё, Ukrainian and
// Belarusian letters, quotes, dashes, №) as in the code page. The one
// unassigned byte, 0x98, gives U+FFFD.
std::string Cp1251ToUtf8(const std::string& text);

}  // namespace rezov
