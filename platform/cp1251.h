// Windows-1251, the Cyrillic ANSI code page of the host's users, to and
// from Unicode: for showing the module's Russian refusal message on a UTF-8
// terminal, and for the 8-bit texts of a settings file stored as UTF-16.
#pragma once

#include <cstddef>
#include <string>

namespace rezov {

// Every byte of `text` as UTF-8: ASCII unchanged, the Cyrillic letters
// 0xC0-0xFF as А-я, the upper half's other characters (Ё, ё, Ukrainian and
// Belarusian letters, quotes, dashes, №) as in the code page. The one
// unassigned byte, 0x98, gives U+FFFD.
std::string Cp1251ToUtf8(const std::string& text);

// UTF-8 text in Windows-1251: every character the code page has becomes its
// byte; any other character, and any byte that is not part of well-formed
// UTF-8, becomes '?', as the system's conversion writes its default
// character.
std::string Utf8ToCp1251(const std::string& text);

// Appends the UTF-8 form of a code point; a lone surrogate (a broken UTF-16
// text) is written in the same three-byte form, so that it survives a round
// trip.
void AppendUtf8(std::string& out, char32_t codePoint);

// UTF-16 text from byte `from` on (after its byte order mark), little- or
// big-endian, as UTF-8. A lone surrogate keeps its three-byte form; an odd
// last byte is no character and is dropped.
std::string Utf16ToUtf8(const std::string& bytes, std::size_t from, bool bigEndian);

// The code point of the well-formed UTF-8 sequence at `i` (surrogates
// allowed), advancing `i` past it; false, advancing one byte, for a broken
// one.
bool NextCodePoint(const std::string& text, std::size_t& i, char32_t& cp);

}  // namespace rezov
