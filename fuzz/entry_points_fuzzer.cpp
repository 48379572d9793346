// Drives the ten exported functions, compiled from the module's own
// plugin/entry_points.cpp, with a call sequence decoded from the input: null
// pointers, texts of up to 1 MB, bytes 0x80-0xFF, NaN and infinite dates,
// any integers, settings values of arbitrary bytes. Beside the module runs
// the literal reference on its own state and fake platform, fed the same
// arguments as the boundary reads them; every answer, message, file and
// record of the two must agree, and the message buffer the host hands over
// is a heap block of the size the module promises to stay within.
//
// That comparison, and the megabyte texts, cost far more than the module's
// own work, so only one input in kFullShare is checked in full (chosen by a
// hash of its bytes, so an input always runs the same way and the share
// does not drift as the corpus grows). The others run the module alone, with
// long texts of a few kilobytes, and check what it promises on its own.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <limits>
#include <memory>
#include <optional>
#include <string>

#include "contest/call_check.h"
#include "fuzz/fuzz_check.h"
#include "platform/native_platform.h"
#include "platform/setup_dialog.h"
#include "plugin/module_state.h"
#include "plugin/rezov_exports.h"
#include "tests/reference/literal_reference.h"
#include "tests/support/fake_platform.h"


namespace rezov::fuzz {
namespace {

const char kProfilePath[] = "Plugins\\VARNO.ini";
const std::size_t kMaxSteps = 48;
const std::uint32_t kFullShare = 32;

// FNV-1a over the input; fuzz/make_corpus.py computes the same to make its
// sessions ones that are checked in full.
std::uint32_t InputHash(const std::uint8_t* data, std::size_t size) {
  std::uint32_t h = 2166136261u;
  for (std::size_t i = 0; i < size; ++i) h = (h ^ data[i]) * 16777619u;
  return h;
}

bool ChecksInFull(const std::uint8_t* data, std::size_t size) {
  return InputHash(data, size) % kFullShare == 0;
}

// How long the long texts of an input are: for an input checked in full as
// the layout says, for the others a few kilobytes at most, long enough to
// pass the module's 256-byte message and 9,999-byte settings limits.
struct TextScale {
  std::size_t longUnit;     // a long text is (count + 1) times this
  std::size_t unreadBytes;  // the long text handed where the module reads nothing
};
const TextScale kFullTexts{4096, 70000};
const TextScale kShortTexts{48, 1000};

// The platform the module's own entry points run on.
FakePlatform& ModulePlatform() {
  static FakePlatform platform;
  return platform;
}

std::string Shown(const std::string& text) {
  std::string out;
  for (unsigned char c : text.substr(0, 300)) {
    char hex[8];
    std::snprintf(hex, sizeof hex, c >= 0x20 && c < 0x7F ? "%c" : "\\x%02X", c);
    out += hex;
  }
  return out + (text.size() > 300 ? "...(" + std::to_string(text.size()) + " bytes)" : "");
}

std::string Shown(const ShownMessage& m) {
  return std::to_string(static_cast<int>(m.owner)) + "|" + m.caption.value_or("<default>") +
         "|" + std::to_string(m.style) + "|" + Shown(m.text);
}

template <typename Map>
std::string MapDifference(const char* what, const Map& a, const Map& b) {
  if (a == b) return std::string();
  for (const auto& entry : a) {
    const auto it = b.find(entry.first);
    if (it == b.end()) return std::string(what) + " only on one side";
    if (it->second != entry.second) {
      return std::string(what) + " differs:\n  " + Shown(entry.second) + "\n  " +
             Shown(it->second);
    }
  }
  return std::string(what) + " only on the other side";
}

// The first entry that differs, shown. The lists are compared whole first:
// showing every entry after every step cost more than the steps themselves.
// Entries that differ only past what Shown() prints still count as different.
template <typename List>
std::string ListDifference(const char* what, const List& a, const List& b) {
  if (a == b) return std::string();
  std::size_t i = 0;
  while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
  const std::string x = i < a.size() ? Shown(a[i]) : "<none>";
  const std::string y = i < b.size() ? Shown(b[i]) : "<none>";
  return std::string(what) + " " + std::to_string(i) + ":\n  " + x + "\n  " + y;
}

// The first thing that differs between the two sides; empty when nothing
// does.
std::string Difference(const FakePlatform& a, const FakePlatform& b) {
  std::string d = MapDifference("file", a.files, b.files);
  if (d.empty()) d = MapDifference("profile value", a.profile, b.profile);
  if (d.empty()) d = ListDifference("program start", a.startedPrograms, b.startedPrograms);
  if (d.empty()) d = ListDifference("message", a.messages, b.messages);
  if (d.empty()) d = ListDifference("dialog", a.shownDialogs, b.shownDialogs);
  return d;
}

const char* const kWords[] = {"UA",   "UA2",    "UA9",  "ua",   "UA9 ", "MA",    "ma",
                              "160",  "80",     "3.5",  "0160", "CW",   "SSB",   "001 MA",
                              "001MA", "0012SP", "0012 SP", "KO", "R3XX/P", "", "\xC0\xFF",
                              "L1\r\nL2", "<CR><LF>", "a<CR>b", " R3XX "};

// Keeps every text and date of one input alive while the calls use them.
class Arena {
 public:
  const char* Keep(std::string text) {
    texts_.push_back(std::move(text));
    return texts_.back().c_str();
  }
  COleDateTime* Keep(COleDateTime date) {
    dates_.push_back(date);
    return &dates_.back();
  }

 private:
  std::deque<std::string> texts_;
  std::deque<COleDateTime> dates_;
};

// Reads the input front to back; past its end every byte reads as 0. The
// layout is simple enough that fuzz/make_corpus.py writes sessions in it:
//   text: a tag byte, 0 null, 1 long (count, byte: count+1 times the long
//         unit of that byte, 4096 in an input checked in full, else 48),
//         2-31 a word of kWords, 32 and up inline with length tag-32
//         followed by the bytes;
//   int: 4 bytes little-endian; date: see Date().
class Decoder {
 public:
  Decoder(const std::uint8_t* data, std::size_t size, TextScale scale)
      : data_(data), size_(size), scale_(scale) {}

  bool More() const { return pos_ < size_; }

  std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }

  std::uint32_t U32() {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(Byte()) << (8 * i);
    return v;
  }
  int Int() { return static_cast<int>(U32()); }
  unsigned Unsigned() { return U32(); }

  std::optional<std::string> Bytes() {
    const std::uint8_t tag = Byte();
    if (tag == 0) return std::nullopt;
    if (tag == 1) {
      const std::size_t n = (static_cast<std::size_t>(Byte()) + 1) * scale_.longUnit;
      const char c = static_cast<char>(Byte());
      return std::string(n, c == '\0' ? '/' : c);  // up to 1 MB
    }
    if (tag < 32) return std::string(kWords[(tag - 2) % std::size(kWords)]);
    std::string text;
    for (std::size_t n = tag - 32; n > 0 && More(); --n) text += static_cast<char>(Byte());
    return text;
  }

  // A text argument: the bytes up to the first NUL, as the module reads it.
  const char* Text(Arena& arena) {
    std::optional<std::string> bytes = Bytes();
    return bytes ? arena.Keep(std::move(*bytes)) : nullptr;
  }

  // The arguments the module never reads, all alike.
  const char* Unread(Arena& arena) {
    switch (Byte() % 4) {
      case 0: return nullptr;
      case 1: return arena.Keep("x");
      case 2: return arena.Keep("\xFF\x80\xC0");
      default: return arena.Keep(std::string(scale_.unreadBytes, 'u'));
    }
  }

  double Double() {
    static const double kOdd[] = {std::numeric_limits<double>::quiet_NaN(),
                                  std::numeric_limits<double>::infinity(),
                                  -std::numeric_limits<double>::infinity(),
                                  std::numeric_limits<double>::max(),
                                  std::numeric_limits<double>::lowest(),
                                  std::numeric_limits<double>::denorm_min(),
                                  -657434.5, 2958465.99999999, -1.25, 0.0, 1e12, -1e12,
                                  40973.0 + (19 * 3600 + 29 * 60 + 59.6) / 86400.0};
    const std::uint8_t tag = Byte();
    if (tag < 64) return kOdd[tag % std::size(kOdd)];
    if (tag < 128) {
      std::uint64_t bits = U32();
      bits |= static_cast<std::uint64_t>(U32()) << 32;
      double d;
      std::memcpy(&d, &bits, sizeof d);
      return d;
    }
    // A day of 2012-03-05..07 and a minute of it, with tag's low bits as
    // a second that is sometimes just short of the next minute.
    const double day = 40973.0 + Byte() % 3;
    const double minute = Byte() % 24 * 60 + Byte() % 60;
    const double second = (tag & 1) ? 59.6 : (tag & 0x3E);
    return day + (minute * 60 + second) / 86400.0;
  }

  COleDateTime* Date(Arena& arena) {
    const std::uint8_t status = Byte();
    if (status == 0xFF) return nullptr;
    COleDateTime date;
    date.m_dt = Double();
    date.m_status = status < 0xF0 ? status % 4 : Int();
    return arena.Keep(date);
  }

  // A clock reading: an hour and a minute, now and then any integers.
  int ClockField(int range) {
    const std::uint8_t b = Byte();
    return b < 0xF0 ? b % range : Int();
  }

  DialogAnswer Answer() {
    DialogAnswer answer;
    static const int kResults[] = {kDialogOk, kDialogCancel, kDialogNotShown};
    const std::uint8_t r = Byte();
    answer.result = r < 3 ? kResults[r] : (r < 0xF0 ? kDialogOk : Int());
    for (int edits = Byte() % 5; edits > 0; --edits) {
      const DialogField field = DialogFields()[Byte() % kDialogFieldCount].field;
      answer.edits.emplace_back(field, Bytes().value_or(std::string()));
    }
    return answer;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  TextScale scale_;
  std::size_t pos_ = 0;
};

// The boundary's reading of raw arguments, written out again for the
// reference side.
std::string AsText(const char* text) { return text ? std::string(text) : std::string(); }

OleDate AsDate(const COleDateTime* date) {
  if (!date) return OleDate{0.0, kOleDateNull};
  return OleDate{date->m_dt, date->m_status};
}

ContactArgs AsContact(const char* call, COleDateTime* time, unsigned freq, const char* mode,
                      const char* sentInfo, const char* rcvdInfo, const char* number,
                      const char* exchange, const char* country, const char* aux,
                      const char* band) {
  ContactArgs c;
  c.call = AsText(call);
  c.time = AsDate(time);
  c.freqHz = freq;
  c.mode = AsText(mode);
  c.sentInfo = AsText(sentInfo);
  c.rcvdInfo = AsText(rcvdInfo);
  c.sentNumber = AsText(number);
  c.rcvdExchange = AsText(exchange);
  c.country = AsText(country);
  c.auxText = AsText(aux);
  c.band = AsText(band);
  return c;
}

// The literal reference's side, for an input checked in full.
struct Witness {
  FakePlatform platform;
  ModuleState state{platform};
};

void StepReset(Decoder& d, Arena& a, Witness* w) {
  const DialogAnswer answer = d.Answer();
  ModulePlatform().Answer(answer);
  if (w) w->platform.Answer(answer);
  const int reportMode = d.Int();
  const char* call = d.Text(a);
  const char* region = d.Text(a);
  const char* grid = d.Text(a);
  COleDateTime* date = d.Date(a);
  COleDateTime* unread = d.Date(a);
  const char* u = d.Unread(a);
  const int got = ResetStats0(u, reportMode, call, unread, date, u, u, u, u, region, u, u, grid,
                              u, u, 1, 2, 3, 4.5, 5.5, u, u, u);
  FUZZ_CHECK(got == 1);
  if (!w) return;
  ResetArgs args;
  args.reportMode = reportMode;
  args.callSign = AsText(call);
  args.contestDate = AsDate(date);
  args.region = AsText(region);
  args.grid = AsText(grid);
  FUZZ_CHECK(reference::ResetStats(w->state, args) == 1);
}

void StepContact(Decoder& d, Arena& a, Witness* w, bool add) {
  const char* call = d.Text(a);
  COleDateTime* time = d.Date(a);
  const unsigned freq = d.Unsigned();
  const char* mode = d.Text(a);
  const char* sentInfo = d.Text(a);
  const char* rcvdInfo = d.Text(a);
  const char* number = d.Text(a);
  const char* exchange = d.Text(a);
  const char* country = d.Text(a);
  const char* aux = d.Text(a);
  const char* band = d.Text(a);
  COleDateTime* unread = d.Date(a);
  const char* u = d.Unread(a);
  // The reference gets the arguments as they were before the module's call.
  const ContactArgs c = w ? AsContact(call, time, freq, mode, sentInfo, rcvdInfo, number,
                                      exchange, country, aux, band)
                          : ContactArgs();
  AddData0Fn fn = add ? AddData0 : RemoveData0;
  const int got = fn(u, call, time, unread, unread, unread, 42, freq, mode, sentInfo, rcvdInfo,
                     number, exchange, u, u, u, u, u, u, u, u, u, country, 1, 2, 3, 4.5, 5.5, u,
                     aux, u, band, u);
  if (!w) {
    FUZZ_CHECK(add ? got == 1 : got == 0 || got == 1);
    return;
  }
  const int expected = add ? reference::AddData(w->state, c) : reference::RemoveData(w->state, c);
  FUZZ_CHECK(got == expected);
}

// What the module promises of the message buffer on its own: only a
// refusal (result 0) writes into it, one C string within the limit, and
// nothing past its zero.
void CheckBufferAlone(int got, const char* buffer) {
  FUZZ_CHECK(got >= 0 && got <= 2);
  const void* zero = std::memchr(buffer, '\0', kMessageBufferLimit);
  FUZZ_CHECK(got == 0 || zero == nullptr);
  const std::size_t end = zero ? static_cast<const char*>(zero) - buffer + 1 : 0;
  for (std::size_t i = end; i < kMessageBufferLimit; ++i) FUZZ_CHECK(buffer[i] == '#');
}

void StepCheck(Decoder& d, Arena& a, Witness* w) {
  const char* call = d.Text(a);
  const char* mode = d.Text(a);
  const char* country = d.Text(a);
  const char* region = d.Text(a);
  const char* band = d.Text(a);
  const char* u = d.Unread(a);
  const UtcTime now{d.ClockField(24), d.ClockField(60)};
  ModulePlatform().now = now;
  if (w) w->platform.now = now;
  // The host gives no size: the module promises to stay within this many
  // bytes, and the heap block ends right there.
  const bool noBuffer = d.Byte() == 0xFF;
  std::unique_ptr<char[]> buffer(new char[kMessageBufferLimit]);
  std::memset(buffer.get(), '#', kMessageBufferLimit);
  char untouched[4] = {'k', 'e', 'e', 'p'};
  const int got = CheckCall0(call, 1, 2, mode, u, u, u, u, u, u, u, u, u, country, 1, 2, 3, 4.5,
                             5.5, u, u, u, u, region, band, u, untouched,
                             noBuffer ? nullptr : buffer.get());
  FUZZ_CHECK(std::memcmp(untouched, "keep", 4) == 0);
  if (!w) {
    CheckBufferAlone(got, buffer.get());
    return;
  }
  CheckArgs args;
  args.call = AsText(call);
  args.mode = AsText(mode);
  if (country) args.country = std::string(country);
  args.region = AsText(region);
  args.band = AsText(band);
  const CheckOutcome expected = reference::CheckCall(w->state, now, args);
  FUZZ_CHECK(got == expected.result);
  if (expected.message && !noBuffer) {
    FUZZ_CHECK(expected.message->size() < kMessageBufferLimit);
    FUZZ_CHECK(std::memcmp(buffer.get(), expected.message->c_str(),
                           expected.message->size() + 1) == 0);
  } else {
    for (std::size_t i = 0; i < kMessageBufferLimit; ++i) FUZZ_CHECK(buffer[i] == '#');
  }
}

void StepResult(Decoder& d, Witness* w) {
  const bool withResult = d.Byte() != 0xFF;
  int got = 7, expected = 7;
  const char* text = GetResult0(withResult ? &got : nullptr);
  FUZZ_CHECK(text != nullptr);
  if (!w) return;
  const std::string want = reference::GetResult(w->state, withResult ? &expected : nullptr);
  FUZZ_CHECK(want == text);
  FUZZ_CHECK(got == expected);
}

void StepTrivial(Decoder& d, Arena& a) {
  FUZZ_CHECK(GetNumberOfSets() == 1);
  const int index = d.Int();
  const char* name = GetSetName(index);
  FUZZ_CHECK(name != nullptr && std::strcmp(name, index == 0 ? "Moscow" : "") == 0);
  const char* u = d.Unread(a);
  FUZZ_CHECK(GetExchgCount0(u, u, u) == 1);
  FUZZ_CHECK(IsValidExchg0(u, u, u, u, d.Int(), 0, -1) == 0);
}

void StepSetup(Witness* w) {
  std::vector<ShownMessage>& messages = ModulePlatform().messages;
  const std::size_t before = messages.size();
  SetupSet0();
  FUZZ_CHECK(messages.size() == before + 1);
  FUZZ_CHECK(messages.back() == (ShownMessage{MessageOwner::kNone,
                                              "No additional setup for this contest",
                                              std::nullopt, kMessageOk}));
  if (w) w->platform.messages.push_back(messages.back());
}

// A condition of the world, met alike by the module's platform and the
// witness's.
void ChangeWorld(FakePlatform& p, int what, const char* key, const std::string& bytes) {
  switch (what) {
    case 0: p.profile[{kProfilePath, "Settings", key}] = bytes; break;
    case 1: p.files["cabrillo.ini"] = bytes; break;
    case 2:
      if (!p.unwritableFiles.erase("*.cbr")) p.unwritableFiles.insert("*.cbr");
      break;
    case 3: p.profileWritesFail = !p.profileWritesFail; break;
    default:
      if (!p.unreadableFiles.erase("cabrillo.ini")) p.unreadableFiles.insert("cabrillo.ini");
      break;
  }
}

void StepWorld(Decoder& d, Witness* w) {
  static const char* const kKeys[] = {"Operators", "Name",    "Address", "Claimed",
                                      "Email",     "Club",    "SoapBox", "Location"};
  const int what = d.Byte() % 5;
  const char* key = kKeys[d.Byte() % 8];
  const std::string bytes = what < 2 ? d.Bytes().value_or(std::string()) : std::string();
  ChangeWorld(ModulePlatform(), what, key, bytes);
  if (w) ChangeWorld(w->platform, what, key, bytes);
}

// An ordinary reset of the module: the log and the bands emptied.
void ResetModule() {
  ResetStats0(nullptr, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
              nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0, 0, 0, 0, nullptr,
              nullptr, nullptr);
}

// The module's state lives from load to unload, across inputs. A leading
// ordinary reset on both sides empties the log and the bands; everything
// else an input can see is rebuilt within that input.
void StartInput(Witness* w) {
  ResetModule();
  ModulePlatform().Clear();
  if (!w) return;
  reference::ResetStats(w->state, ResetArgs{0, "", OleDate{0.0, kOleDateNull}, "", ""});
  w->platform.Clear();
}

void RunStep(Decoder& d, Arena& arena, Witness* w) {
  switch (d.Byte() % 10) {
    case 0: StepTrivial(d, arena); break;
    case 1: StepSetup(w); break;
    case 2: StepReset(d, arena, w); break;
    case 3:
    case 4: StepContact(d, arena, w, true); break;
    case 5: StepContact(d, arena, w, false); break;
    case 6: StepCheck(d, arena, w); break;
    case 7: StepResult(d, w); break;
    default: StepWorld(d, w); break;
  }
}

void RunInput(const std::uint8_t* data, std::size_t size) {
  const bool full = ChecksInFull(data, size);
  Decoder d(data, size, full ? kFullTexts : kShortTexts);
  Arena arena;
  std::optional<Witness> witness;
  if (full) witness.emplace();
  Witness* w = full ? &*witness : nullptr;
  StartInput(w);
  for (std::size_t step = 0; step < kMaxSteps && d.More(); ++step) {
    RunStep(d, arena, w);
    if (!w) continue;
    const std::string difference = Difference(ModulePlatform(), w->platform);
    if (!difference.empty()) {
      std::fprintf(stderr, "after step %zu, module and reference differ: %s\n", step,
                   difference.c_str());
      std::abort();
    }
  }
  // The input's records and files are let go here rather than at the next
  // input's start: libFuzzer runs an input again with a full leak scan
  // whenever it ends with more allocations than frees.
  ResetModule();
  ModulePlatform().Clear();
}

}  // namespace
}  // namespace rezov::fuzz

namespace rezov {

// The fuzz build's module runs on the fake platform alone.
Platform& NativePlatform() { return fuzz::ModulePlatform(); }

}  // namespace rezov

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  rezov::fuzz::RunInput(data, size);
  return 0;
}
