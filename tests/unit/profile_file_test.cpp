// Reading and rewriting profile text. The rows compare whole results byte
// for byte; they agree with what the Windows profile functions read and write
// for the same input, except where a comment above a row says otherwise.
#include "platform/profile_file.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace rezov {
namespace {

// Literal bytes, NULs included.
template <std::size_t N>
std::string Bytes(const char (&s)[N]) {
  return std::string(s, N - 1);
}

const std::optional<std::string> kAbsent = std::nullopt;

struct LookupRow {
  const char* why;
  std::string text;
  std::string section;
  std::string key;
  std::optional<std::string> want;
};

void CheckLookups(const std::vector<LookupRow>& rows) {
  for (const LookupRow& row : rows) {
    SCOPED_TRACE(row.why);
    EXPECT_EQ(ProfileLookup(row.text, row.section, row.key), row.want);
  }
}

struct UpdateRow {
  const char* why;
  std::string text;
  std::string section;
  std::string key;
  std::string value;
  std::string want;
};

void CheckUpdates(const std::vector<UpdateRow>& rows) {
  for (const UpdateRow& row : rows) {
    SCOPED_TRACE(row.why);
    EXPECT_EQ(ProfileUpdate(row.text, row.section, row.key, row.value), row.want);
  }
}

// ---------------------------------------------------------------- reading

TEST(ProfileLookupNames, MatchCaseInsensitivelyInAsciiOnly) {
  const std::string text = Bytes("[Settings]\nCallSign=K1ABC\n[\xC4rger]\nk=1\n");
  CheckLookups({
      {"same spelling", text, "Settings", "CallSign", "K1ABC"},
      {"section in other case", text, "SETTINGS", "CallSign", "K1ABC"},
      {"key in other case", text, "settings", "callsign", "K1ABC"},
      {"high byte compares exactly", text, Bytes("\xC4rger"), "k", "1"},
      {"no case folding beyond ASCII", text, Bytes("\xE4rger"), "K", kAbsent},
      {"absent section", text, "Other", "CallSign", kAbsent},
      {"absent key", text, "Settings", "Name", kAbsent},
  });
}

TEST(ProfileLookupNames, BlanksAroundNamesDoNotCount) {
  const std::string text = Bytes("  [ Station Info ]  \n\t my key \t= v\n");
  CheckLookups({
      {"header and key padded in the text", text, "Station Info", "my key", "v"},
      {"padded query", text, " Station Info\t", "\tmy key ", "v"},
      {"inner blanks of a section matter", text, "Station  Info", "my key", kAbsent},
      {"inner blanks of a key matter", text, "Station Info", "mykey", kAbsent},
  });
}

TEST(ProfileLookupValues, StripBlanksThenOnePairOfQuotes) {
  const std::string text = Bytes(
      "[A]\n"
      "plain=  v 1 \t\n"
      "dq=\"abc\"\n"
      "sq='abc'\n"
      "mixed=\"abc'\n"
      "lone=\"\n"
      "emptydq=\"\"\n"
      "emptysq=''\n"
      "padded=  \"  x  \"  \n"
      "inner=\"a\"b\"\n"
      "twice=\"\"x\"\"\n"
      "opening=\"x\n"
      "closing=x\"\n"
      "empty=\n"
      "blank=   \t\n");
  CheckLookups({
      {"blanks stripped, inner blank kept", text, "A", "plain", "v 1"},
      {"double quotes removed", text, "A", "dq", "abc"},
      {"single quotes removed", text, "A", "sq", "abc"},
      {"quotes that differ stay", text, "A", "mixed", "\"abc'"},
      {"a single quote char is no pair", text, "A", "lone", "\""},
      {"empty double-quoted", text, "A", "emptydq", ""},
      {"empty single-quoted", text, "A", "emptysq", ""},
      {"blanks inside the quotes kept", text, "A", "padded", "  x  "},
      {"only the outer quotes go", text, "A", "inner", "a\"b"},
      {"only one pair goes", text, "A", "twice", "\"x\""},
      {"opening quote alone stays", text, "A", "opening", "\"x"},
      {"closing quote alone stays", text, "A", "closing", "x\""},
      {"empty value is present", text, "A", "empty", ""},
      {"blank value is present and empty", text, "A", "blank", ""},
  });
}

TEST(ProfileLookupValues, EqualsAndSemicolonBelongToTheValue) {
  const std::string text = Bytes("[A]\nB=a=b\nx=1 ;not a comment\n==v\n");
  CheckLookups({
      {"split at the first '='", text, "A", "B", "a=b"},
      {"';' inside a value", text, "A", "x", "1 ;not a comment"},
      {"empty key name", text, "A", "", "=v"},
  });
}

TEST(ProfileLookupValues, BlankMeansSpaceTabVtabFormFeedOrCtrlZ) {
  const std::string text = Bytes(
      "[A]\n"
      "vt=\v" "v\f\n"
      "eof=\x1A" "v\x1A\n"
      "\x1A" "lead=v\n"
      "nbsp=\xA0v\xA0\n"
      "ctl=\x01v\x1F\n");
  CheckLookups({
      {"vertical tab and form feed", text, "A", "vt", "v"},
      {"Ctrl-Z", text, "A", "eof", "v"},
      {"Ctrl-Z before a key", text, "A", "lead", "v"},
      {"0xA0 is no blank", text, "A", "nbsp", Bytes("\xA0v\xA0")},
      {"other control bytes are no blanks", text, "A", "ctl", Bytes("\x01v\x1F")},
  });
}

TEST(ProfileLookupLineEnds, LfCrLfAndLoneCrReadTheSame) {
  const std::vector<std::pair<const char*, std::string>> texts = {
      {"LF", "[A]\nx=1\ny=2\n[B]\nz=3\n"},
      {"CR LF", "[A]\r\nx=1\r\ny=2\r\n[B]\r\nz=3\r\n"},
      {"lone CR", "[A]\rx=1\ry=2\r[B]\rz=3\r"},
      {"mixed, doubled, LF CR", "[A]\r\n\r\nx=1\n\ry=2\r\r\n\n[B]\n\rz=3"},
      {"blank lines everywhere", "\n\n  \n[A]\n\n\nx=1\n \t\ny=2\n\n[B]\n\nz=3\n\n"},
  };
  for (const auto& [why, text] : texts) {
    SCOPED_TRACE(why);
    EXPECT_EQ(ProfileLookup(text, "A", "x"), "1");
    EXPECT_EQ(ProfileLookup(text, "A", "y"), "2");
    EXPECT_EQ(ProfileLookup(text, "B", "z"), "3");
    EXPECT_EQ(ProfileLookup(text, "A", "z"), kAbsent);
    EXPECT_EQ(ProfileLookup(text, "B", "x"), kAbsent);
  }
}

TEST(ProfileLookupStructure, CommentsHeadersAndStrayLines) {
  const std::string text = Bytes(
      "top=0\n"
      ";lead=comment\n"
      "[A] trailing words\n"
      ";x=commented\n"
      "  ; y = commented too\n"
      "bare\n"
      "[B\n"
      "w=in A\n"
      "[C]]\n"
      "c=1\n"
      "[D]e=ignored\n"
      "d=1\n"
      "[E;x]\n"
      "e=1\n");
  CheckLookups({
      {"key before the first header is in section \"\"", text, "", "top", "0"},
      {"section \"\" ends at the first header", text, "", "w", kAbsent},
      // The Windows functions read a ';' line as a key named by its text up to
      // the '='; here a comment is never a key, so these three are absent.
      {"comment before the first header", text, "", ";lead", kAbsent},
      {"text after ']' is ignored", text, "A", "w", "in A"},
      {"comment line is no key", text, "A", ";x", kAbsent},
      {"indented comment is no key", text, "A", "; y", kAbsent},
      {"line without '=' has no value", text, "A", "bare", kAbsent},
      {"'[' without ']' is a key line", text, "B", "w", kAbsent},
      {"name runs to the last ']'", text, "C]", "c", "1"},
      {"so the shorter name is absent", text, "C", "c", kAbsent},
      {"text after ']' starts no key", text, "D", "e", kAbsent},
      {"key after such a header", text, "D", "d", "1"},
      {"';' inside a header name", text, "E;x", "e", "1"},
  });
}

TEST(ProfileLookupStructure, EmptyAndHeaderlessTexts) {
  CheckLookups({
      {"empty text", "", "A", "x", kAbsent},
      {"empty text, section \"\"", "", "", "x", kAbsent},
      {"no header at all", "x=1\ny=2", "", "y", "2"},
      {"no header, named section", "x=1\n", "A", "x", kAbsent},
      {"empty section \"\" before a header", "[A]\nx=1\n", "", "x", kAbsent},
      {"header alone", "[A]", "A", "x", kAbsent},
      {"only blanks", " \t\r\n\v\n", "", "", kAbsent},
  });
}

TEST(ProfileLookupDuplicates, FirstOccurrenceWins) {
  CheckLookups({
      {"duplicate key", "[A]\nx=1\nx=2\n", "A", "x", "1"},
      {"duplicate key in other case", "[A]\nX=1\nx=2\n", "a", "x", "1"},
      {"valueless first key hides a later value", "[A]\nx\nx=1\n", "A", "x", kAbsent},
      {"second section is never searched", "[A]\nx=1\n[a]\ny=2\n", "A", "y", kAbsent},
      {"first section found even when later empty", "[A]\n[B]\n[A]\nx=1\n", "A", "x", kAbsent},
      {"a later [] is not section \"\"", "k=1\n[]\nm=2\n", "", "m", kAbsent},
  });
}

TEST(ProfileLookupHostile, NulBomAndBinary) {
  CheckLookups({
      {"NUL ends a value", Bytes("[A]\nx=a\0b\n"), "A", "x", "a"},
      // The Windows functions keep the blank before the NUL ("a ").
      {"blanks before the NUL go too", Bytes("[A]\nx = a \0b\n"), "A", "x", "a"},
      {"NUL ends a key name", Bytes("[A]\ny\0q = 2\n"), "A", "y", "2"},
      {"NUL ends a section name", Bytes("[B\0C]\nz=1\n"), "B", "z", "1"},
      {"NUL after the header", Bytes("[D]\0\nw=1\n"), "D", "w", "1"},
      {"quote check after the cut", Bytes("[A]\nx=\"a\0\"\n"), "A", "x", "\"a"},
      {"NUL line is blank", Bytes("[A]\n\0\0\nx=1\n"), "A", "x", "1"},
      {"NUL in the query", "[A]\nx=1\n", Bytes("A\0junk"), Bytes("x\0junk"), "1"},
      {"byte order mark is not in the header",
       Bytes("\xEF\xBB\xBF[A]\nx=1\n"), "A", "x", "1"},
      {"byte order mark not in a top key", Bytes("\xEF\xBB\xBFk=1\n"), "", "k", "1"},
      {"bytes 0x80-0xFF pass through", Bytes("[A]\nx=\x80\x81\xFE\xFF\n"), "A", "x",
       Bytes("\x80\x81\xFE\xFF")},
  });
}

// ---------------------------------------------------------------- writing

TEST(ProfileUpdateNewText, StartsFromNothing) {
  CheckUpdates({
      {"empty text", "", "Settings", "Name", "Bob", "[Settings]\r\nName=Bob\r\n"},
      {"blank lines only", " \t\n\n\r\n", "Settings", "Name", "Bob",
       "[Settings]\r\nName=Bob\r\n"},
      {"section \"\" of an empty text", "", "", "k", "1", "k=1\r\n"},
      {"empty value", "", "Settings", "Name", "", "[Settings]\r\nName=\r\n"},
      {"blank value is empty", "", "Settings", "Name", " \t ", "[Settings]\r\nName=\r\n"},
      {"comment kept before the new section", ";c\n", "A", "z", "1", ";c\r\n[A]\r\nz=1\r\n"},
      {"top key kept before the new section", "x=1", "A", "z", "1", "x=1\r\n[A]\r\nz=1\r\n"},
  });
}

TEST(ProfileUpdateExistingKey, ReplacesTheValueInPlace) {
  CheckUpdates({
      {"value replaced", "[A]\nx=1\ny=2\n", "A", "x", "9", "[A]\r\nx=9\r\ny=2\r\n"},
      {"key keeps its spelling", "[A]\nKey=1\n", "a", "KEY", "2", "[A]\r\nKey=2\r\n"},
      {"section keeps its spelling", "[Settings]\nk=1\n", "SETTINGS", "k", "2",
       "[Settings]\r\nk=2\r\n"},
      {"emptied", "[A]\nx=1\n", "A", "x", "", "[A]\r\nx=\r\n"},
      {"valueless key gets one", "noeq\n[A]\nbare\nx=1\n", "A", "bare", "1",
       "noeq\r\n[A]\r\nbare=1\r\nx=1\r\n"},
      {"valueless key gets an empty one", "[A]\nx\n", "A", "x", "", "[A]\r\nx=\r\n"},
      {"quotes are written as given", "[A]\nx=\"a\"\n", "A", "x", "\"b\"",
       "[A]\r\nx=\"b\"\r\n"},
      {"value that differs only in case", "[A]\nx=V\n", "A", "x", "v", "[A]\r\nx=v\r\n"},
      {"value with '=' and ';'", "[A]\nx=1\n", "A", "x", "a=b ;c", "[A]\r\nx=a=b ;c\r\n"},
      {"key before the first header", "k0=v0\n[A]\nx=1\n", "", "k0", "z",
       "k0=z\r\n[A]\r\nx=1\r\n"},
      {"empty key name", "[A]\n  =  v\n", "A", "", "w", "[A]\r\n=w\r\n"},
  });
}

TEST(ProfileUpdateExistingKey, SameValueLeavesTheTextAlone) {
  // Rewriting a value the key already holds must not churn the file: no
  // line ends, blanks or blank lines change.
  CheckUpdates({
      {"padded line", "[A]\n x = 1 \n\n", "A", "x", "1", "[A]\n x = 1 \n\n"},
      {"other case of names", "[A]\n x = 1 \n\n", "a", "X", " 1", "[A]\n x = 1 \n\n"},
      {"quoted value compared as stored", "[A]\n X = \"1\" \n", "A", "x", "\"1\"",
       "[A]\n X = \"1\" \n"},
      {"empty value", "[A]\n x=  \n", "A", "x", "", "[A]\n x=  \n"},
      {"first of two sections", "[A]\n x=1\n[A]\n x=2\n", "A", "x", "1",
       "[A]\n x=1\n[A]\n x=2\n"},
      {"section \"\"", "k = 1 \n\n[A]\n", "", "k", "1", "k = 1 \n\n[A]\n"},
      // Trailing blanks of the written value go, so this is unchanged too
      // (the Windows functions would keep "1 " and rewrite the text).
      {"trailing blank in the new value", "[A]\n x = 1 \n", "A", "x", "1 ",
       "[A]\n x = 1 \n"},
  });
}

TEST(ProfileUpdateNewKey, GoesAfterTheLastLineOfItsSection) {
  CheckUpdates({
      {"after the last key", "[A]\r\nx=1\r\n[B]\r\nq=1\r\n", "A", "y", "2",
       "[A]\r\nx=1\r\ny=2\r\n[B]\r\nq=1\r\n"},
      {"into the last section", "[A]\nx=1\n[B]\nq=1", "B", "r", "2",
       "[A]\r\nx=1\r\n[B]\r\nq=1\r\nr=2\r\n"},
      {"blank lines between sections dropped", "[A]\nx=1\n\n[B]\nq=1\n", "A", "y", "2",
       "[A]\r\nx=1\r\ny=2\r\n[B]\r\nq=1\r\n"},
      {"after a comment that ends the section", "[A]\nx=1\n\n;c\n\n[B]\nq=1\n", "A", "y",
       "2", "[A]\r\nx=1\r\n;c\r\ny=2\r\n[B]\r\nq=1\r\n"},
      {"into a section with only a comment", "[A]\n;only comment\n", "A", "c", "2",
       "[A]\r\n;only comment\r\nc=2\r\n"},
      {"into an empty section", "[A]\n", "A", "c", "2", "[A]\r\nc=2\r\n"},
      {"into an empty section before another", "[A]\n[B]\n", "A", "c", "2",
       "[A]\r\nc=2\r\n[B]\r\n"},
      {"section \"\" before the first header", "[A]\nx=1\n", "", "k", "1",
       "k=1\r\n[A]\r\nx=1\r\n"},
      {"section \"\" after its keys", "k0=z\n[A]\nx=1\n", "", "k1", "z",
       "k0=z\r\nk1=z\r\n[A]\r\nx=1\r\n"},
      {"section \"\" after a top comment", ";top\n\n[A]\nx=1\n", "", "k", "1",
       ";top\r\nk=1\r\n[A]\r\nx=1\r\n"},
      // The Windows functions would write "=v " (trailing blank kept).
      {"empty key name", "[A]\nx=1\n", "a", "", " v ", "[A]\r\nx=1\r\n=v\r\n"},
  });
}

TEST(ProfileUpdateNewSection, GoesAtTheEndWithoutABlankLine) {
  CheckUpdates({
      {"after CR LF text", "[A]\r\nx=1\r\n", "B", "y", "2", "[A]\r\nx=1\r\n[B]\r\ny=2\r\n"},
      {"after text without a final line end", "[A]\r\nx=1", "B", "y", "2",
       "[A]\r\nx=1\r\n[B]\r\ny=2\r\n"},
      {"trailing blank lines dropped", "[A]\nx=1\n\n\n", "B", "y", "2",
       "[A]\r\nx=1\r\n[B]\r\ny=2\r\n"},
      {"after several sections", "[A]\nx=1\n\n\n[B]\ny=1\n\n", "C", "c", "2",
       "[A]\r\nx=1\r\n[B]\r\ny=1\r\n[C]\r\nc=2\r\n"},
      // The Windows functions strip only leading blanks of new names and
      // write "[N e w ]" and "k e y =v"; the next read strips them anyway.
      {"names stripped of blanks", "[A]\nx=1\n", " N e w ", " k e y ", "v",
       "[A]\r\nx=1\r\n[N e w]\r\nk e y=v\r\n"},
  });
}

TEST(ProfileUpdateSequence, BuildsAFileKeyByKey) {
  std::string text;
  text = ProfileUpdate(text, "Settings", "Name", "Bob");
  text = ProfileUpdate(text, "Settings", "Call", "K1ABC");
  text = ProfileUpdate(text, "Other", "X", "1");
  text = ProfileUpdate(text, "settings", "Z", "2");
  text = ProfileUpdate(text, "Settings", "name", "Ann");
  EXPECT_EQ(text, "[Settings]\r\nName=Ann\r\nCall=K1ABC\r\nZ=2\r\n[Other]\r\nX=1\r\n");
}

TEST(ProfileUpdateLayout, EveryKeptLineIsNormalized) {
  CheckUpdates({
      {"blanks around lines, names and values",
       "  [ A ]  \n  y  =  2  \n\t;cc  \n  ; c2\nz\t=\t3\t\n", "A", "q", "1",
       "[A]\r\ny=2\r\n;cc\r\n; c2\r\nz=3\r\nq=1\r\n"},
      {"comments holding '=' are written like keys", "[A]\n;x = 1\n; y =\n#h = 2\n", "A",
       "q", "1", "[A]\r\n;x=1\r\n; y=\r\n#h=2\r\nq=1\r\n"},
      {"stored quotes kept", "[A]\nf=  \"  x  \"  \ng='a'\n", "A", "q", "1",
       "[A]\r\nf=\"  x  \"\r\ng='a'\r\nq=1\r\n"},
      {"lone CR line ends", "[A]\rx=1\ry=2\r[B]\rz=3\r", "A", "n", "1",
       "[A]\r\nx=1\r\ny=2\r\nn=1\r\n[B]\r\nz=3\r\n"},
      {"mixed line ends", "[A]\r\nx=1\r\r\ny=2\n\r", "A", "n", "1",
       "[A]\r\nx=1\r\ny=2\r\nn=1\r\n"},
      {"text after ']' dropped, last ']' kept",
       "[A] junk\nx=1\n[C]x=4\nw=5\n[D]]\n", "Q", "q", "1",
       "[A]\r\nx=1\r\n[C]\r\nw=5\r\n[D]]\r\n[Q]\r\nq=1\r\n"},
      {"'[' without ']' kept as a line", "[A]\n[B\ny=2\n", "A", "n", "1",
       "[A]\r\n[B\r\ny=2\r\nn=1\r\n"},
      {"other blanks", Bytes("[A]\n\vx=1\f\n\x1Ay=2\x1A\n"), "A", "n", "1",
       "[A]\r\nx=1\r\ny=2\r\nn=1\r\n"},
      // The Windows functions drop an empty "[]" header, which moves its
      // keys into the section before it; keeping it keeps them where they are.
      {"empty header kept", "[A]\nx=1\n[]\nz=3\n", "A", "n", "1",
       "[A]\r\nx=1\r\nn=1\r\n[]\r\nz=3\r\n"},
  });
}

TEST(ProfileUpdateArguments, NamesAndValueAreStripped) {
  CheckUpdates({
      {"padded section finds the section", "[A]\nx=1\n", " A ", "x", "2", "[A]\r\nx=2\r\n"},
      {"padded key finds the key", "[A]\nx=1\n", "A", " x ", "2", "[A]\r\nx=2\r\n"},
      // The Windows functions keep trailing blanks of a written value; they
      // would vanish on the next read and rewrite anyway.
      {"value stripped both sides", "[A]\nx=1\n", "a", "X", "  v  ", "[A]\r\nx=v\r\n"},
      {"tabs and the other blanks", "[A]\n", "A", "u", "\t t \v\x1A", "[A]\r\nu=t\r\n"},
      {"NUL ends every argument", "[A]\nx=1\n", Bytes("A\0B"), Bytes("x\0y"), Bytes("v\0w"),
       "[A]\r\nx=v\r\n"},
      {"line breaks in a value are written as given", "[A]\nx=1\n", "A", "x", "a\r\nb=2",
       "[A]\r\nx=a\r\nb=2\r\n"},
  });
}

TEST(ProfileUpdateDuplicates, OnlyTheFirstOccurrenceIsTouched) {
  CheckUpdates({
      {"first duplicate key rewritten", "[A]\nx=1\nx=2\n[a]\nx=3\ny=4\n", "A", "x", "9",
       "[A]\r\nx=9\r\nx=2\r\n[a]\r\nx=3\r\ny=4\r\n"},
      {"new key goes to the first section", "[A]\nx=1\nx=2\n[a]\nx=3\ny=4\n", "A", "y", "8",
       "[A]\r\nx=1\r\nx=2\r\ny=8\r\n[a]\r\nx=3\r\ny=4\r\n"},
      {"first section though the key is in the second", "[A]\nx=1\n[B]\n[A]\ny=1\n", "a",
       "y", "2", "[A]\r\nx=1\r\ny=2\r\n[B]\r\n[A]\r\ny=1\r\n"},
      {"valueless first key rewritten", "[A]\nx\nx=1\ny=2\n", "A", "x", "5",
       "[A]\r\nx=5\r\nx=1\r\ny=2\r\n"},
      {"second copy of the value key", "[A]\nx=1\nx=2\n", "A", "x", "2",
       "[A]\r\nx=2\r\nx=2\r\n"},
  });
}

TEST(ProfileUpdateHostile, NulBomAndBinaryBytes) {
  CheckUpdates({
      {"NUL cuts names and values",
       Bytes("[A]\nx=a\0b\ny=2\n\0z=3\nw=4\n"), "A", "q", "1",
       "[A]\r\nx=a\r\ny=2\r\n=3\r\nw=4\r\nq=1\r\n"},
      {"NUL in headers", Bytes("[B\0C]\nz=1\n[D]\0\nw=1\n"), "D", "v", "1",
       "[B]\r\nz=1\r\n[D]\r\nw=1\r\nv=1\r\n"},
      // The Windows functions write an empty line for these; an empty line
      // means nothing, so none is written.
      {"NUL-only lines", Bytes("\0\0\0"), "A", "n", "1", "[A]\r\nn=1\r\n"},
      {"blanks around a NUL", Bytes("[A]\nx=1\n  \0  \n\0[E]\n"), "A", "n", "1",
       "[A]\r\nx=1\r\nn=1\r\n"},
      {"byte order mark kept", Bytes("\xEF\xBB\xBF[A]\nx=1\n"), "A", "q", "1",
       Bytes("\xEF\xBB\xBF[A]\r\nx=1\r\nq=1\r\n")},
      {"byte order mark kept on new text", Bytes("\xEF\xBB\xBF"), "", "k", "1",
       Bytes("\xEF\xBB\xBFk=1\r\n")},
      {"high bytes kept", Bytes("[A]\nx=\x80\x81\x8D\x9F\xA0\xC4\xFF\n[\xC4]\nk=1\n"), "A",
       "q", "1", Bytes("[A]\r\nx=\x80\x81\x8D\x9F\xA0\xC4\xFF\r\nq=1\r\n[\xC4]\r\nk=1\r\n")},
  });
}

// ---------------------------------------------------------------- properties

// Hostile profile text: lines built from pieces that exercise every rule,
// mixed with raw random bytes.
class TextMaker {
 public:
  explicit TextMaker(unsigned start) : rng_(start) {}

  std::string Text() {
    std::string text;
    const int lines = Pick(0, 14);
    for (int i = 0; i < lines; ++i) {
      text += Line();
      text += Choose({"\n", "\r\n", "\r", "\n\n", "\n\r", ""});
    }
    return text;
  }

  std::string Name() { return Choose({"A", "a", "B", "Settings", "SETTINGS", "x y", "K", "k", ""}); }
  std::string Value() {
    return Choose({"1", "", "v", "\"q\"", "a=b", "x ;c", "  lead", "trail  ", "\x80\xff", "new"});
  }
  int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

 private:
  std::string Choose(std::initializer_list<const char*> items) {
    auto it = items.begin();
    std::advance(it, Pick(0, static_cast<int>(items.size()) - 1));
    return *it;
  }
  std::string Blank() { return Choose({"", " ", "\t", " \t ", "\v", "\x1A"}); }
  std::string RawBytes() {
    std::string s;
    const int n = Pick(1, 12);
    for (int i = 0; i < n; ++i) s.push_back(static_cast<char>(Pick(0, 255)));
    return s;
  }
  std::string Line() {
    switch (Pick(0, 9)) {
      case 0:
      case 1:
        return Blank() + "[" + Blank() + Name() + Blank() + "]" + Choose({"", " junk", "]"});
      case 2:
        return Blank() + ";" + Choose({"c", "x = 1", "A=2"});
      case 3:
        return Blank() + Name() + Blank();
      case 4:
        return RawBytes();
      case 5:
        return "[" + Name();
      default:
        return Blank() + Name() + Blank() + "=" + Blank() + Value() + Blank();
    }
  }

  std::mt19937 rng_;
};

std::string Stripped(const std::string& s) {
  std::size_t b = 0;
  std::size_t e = s.size();
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A'; };
  while (b < e && blank(s[b])) ++b;
  while (e > b && blank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

bool SameAscii(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const char x = (a[i] >= 'A' && a[i] <= 'Z') ? static_cast<char>(a[i] + 32) : a[i];
    const char y = (b[i] >= 'A' && b[i] <= 'Z') ? static_cast<char>(b[i] + 32) : b[i];
    if (x != y) return false;
  }
  return true;
}

TEST(ProfileProperties, WriteThenReadGivesTheValueAndDisturbsNothingElse) {
  const std::vector<std::string> probeSections = {"", "A", "B", "Settings", "x y", "K"};
  const std::vector<std::string> probeKeys = {"", "A", "a", "B", "Settings", "x y", "K"};
  TextMaker maker(20240611u);
  for (int round = 0; round < 3000; ++round) {
    const std::string text = maker.Text();
    const std::string section = maker.Pick(0, 5) == 0 ? "New" : maker.Name();
    const std::string key = maker.Pick(0, 5) == 0 ? "z" : maker.Name();
    const std::string value = maker.Value();
    SCOPED_TRACE("round " + std::to_string(round));

    const std::string written = ProfileUpdate(text, section, key, value);
    std::string want = Stripped(value);
    if (want == "\"q\"") want = "q";
    ASSERT_EQ(ProfileLookup(written, section, key), want);

    for (const std::string& s : probeSections) {
      for (const std::string& k : probeKeys) {
        if (SameAscii(Stripped(s), Stripped(section)) && SameAscii(Stripped(k), Stripped(key))) {
          continue;  // the pair just written
        }
        ASSERT_EQ(ProfileLookup(written, s, k), ProfileLookup(text, s, k))
            << "section [" << s << "] key [" << k << "]";
      }
    }

    // A rewrite is a fixed point: every line ends in CR LF, no line is blank
    // or padded, and writing another value and then the first one back
    // gives the same text again.
    if (written != text) {
      ASSERT_GE(written.size(), 2u);
      ASSERT_EQ(written.substr(written.size() - 2), "\r\n");
      std::size_t start = 0;
      while (start < written.size()) {
        const std::size_t end = written.find("\r\n", start);
        ASSERT_NE(end, std::string::npos);
        const std::string line = written.substr(start, end - start);
        ASSERT_FALSE(line.empty());
        ASSERT_EQ(line.find_first_of("\r\n"), std::string::npos);
        ASSERT_EQ(Stripped(line), line);
        start = end + 2;
      }
      const std::string other = ProfileUpdate(written, section, key, "other");
      ASSERT_EQ(ProfileUpdate(other, section, key, value), written);
    }
  }
}

TEST(ProfileProperties, RandomBytesNeverBreakAnything) {
  std::mt19937 rng(7u);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> length(0, 300);
  for (int round = 0; round < 2000; ++round) {
    std::string text;
    const int n = length(rng);
    for (int i = 0; i < n; ++i) text.push_back(static_cast<char>(byte(rng)));
    SCOPED_TRACE("round " + std::to_string(round));
    const std::string written = ProfileUpdate(text, "Settings", "Name", "Bob");
    ASSERT_EQ(ProfileLookup(written, "Settings", "Name"), "Bob");
    ASSERT_EQ(ProfileLookup(written, "settings", "NAME"), "Bob");
    // Nothing that could be read before the write is lost by it.
    for (const char* k : {"", "Call", "Name2"}) {
      ASSERT_EQ(ProfileLookup(written, "", k), ProfileLookup(text, "", k));
      ASSERT_EQ(ProfileLookup(written, "Settings", k), ProfileLookup(text, "Settings", k));
    }
  }
}

// ---------------------------------------------------------------- size

TEST(ProfileLargeText, TenMegabyteSingleLine) {
  const std::string big(10u * 1024u * 1024u, 'v');
  const std::string text = "[A]\nx=" + big;
  std::optional<std::string> read;
  std::string written;
  read = ProfileLookup(text, "A", "x");
  written = ProfileUpdate(text, "A", "y", "1");
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->size(), big.size());
  EXPECT_EQ(*read, big);
  EXPECT_EQ(written, "[A]\r\nx=" + big + "\r\ny=1\r\n");

  // One line of ten megabytes with no '=' and no line end at all.
  EXPECT_EQ(ProfileLookup(big, "", big.substr(0, 100)), kAbsent);
  EXPECT_EQ(ProfileUpdate(big, "", "k", "1"), big + "\r\nk=1\r\n");
}

TEST(ProfileLargeText, OneMillionLines) {
  std::string text = "[A]\n";
  for (int i = 0; i < 1000000; ++i) text += "k=" + std::to_string(i) + "\n";
  text += "[B]\nlast=yes\n";
  std::optional<std::string> last;
  std::optional<std::string> first;
  std::string written;
  last = ProfileLookup(text, "B", "last");
  first = ProfileLookup(text, "A", "k");
  written = ProfileUpdate(text, "A", "new", "1");
  EXPECT_EQ(last, "yes");
  EXPECT_EQ(first, "0");
  EXPECT_EQ(ProfileLookup(written, "A", "new"), "1");
  const std::string tail = "k=999999\r\nnew=1\r\n[B]\r\nlast=yes\r\n";
  ASSERT_GE(written.size(), tail.size());
  EXPECT_EQ(written.substr(written.size() - tail.size()), tail);
  EXPECT_EQ(written.size(), text.size() + 1000000 + 3 + std::string("new=1\r\n").size());
}

}  // namespace
}  // namespace rezov
