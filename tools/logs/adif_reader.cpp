#include "tools/logs/adif_reader.h"

#include <map>
#include <optional>

#include "tools/logs/band_table.h"
#include "tools/logs/exchange.h"

namespace rezov {
namespace {

using Fields = std::map<std::string, std::string>;

// Case-insensitive search for a tag such as "<EOR>" from `from` on.
std::size_t FindTag(const std::string& bytes, const std::string& upperTag,
                    std::size_t from) {
  for (std::size_t i = bytes.find('<', from); i != std::string::npos;
       i = bytes.find('<', i + 1)) {
    if (UpperAscii(bytes.substr(i, upperTag.size())) == upperTag) return i;
  }
  return std::string::npos;
}

const std::string kEor = "<EOR>";
const std::string kEoh = "<EOH>";

// One record's fields as read from the text, or the reason it cannot be
// read; `next` is where reading goes on either way.
struct RawRecord {
  Fields fields;
  std::string error;
  std::size_t next = std::string::npos;
  bool lengthsInCharacters = false;  // some field was read by a character count
};

// After a bad field the rest of the record cannot be trusted: reading
// resumes after the record's <EOR>.
RawRecord Broken(const std::string& bytes, std::size_t tagStart, std::string why) {
  RawRecord r;
  r.error = std::move(why);
  const std::size_t eor = FindTag(bytes, kEor, tagStart + 1);
  r.next = eor == std::string::npos ? bytes.size() : eor + kEor.size();
  return r;
}

bool IsNameCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
         c == '_';
}

// A tag as ADIF writes it: a name, then a length and a type, each after a
// colon; or a name alone (<EOR>, <EOH>, an end marker).
bool IsWellFormedTag(const std::string& tag) {
  const std::size_t colon = tag.find(':');
  const std::string name = tag.substr(0, colon);
  if (name.empty()) return false;
  for (char c : name) {
    if (!IsNameCharacter(c)) return false;
  }
  if (colon == std::string::npos) return true;
  const std::string rest = tag.substr(colon + 1);
  return AllDigits(rest.substr(0, rest.find(':')));
}

// Whether the next tag from `from` on reads as one: a value whose length
// was counted wrongly runs into it, or leaves a piece of itself before it
// that holds a '<'.
bool NextTagIsIntact(const std::string& bytes, std::size_t from) {
  const std::size_t lt = bytes.find('<', from);
  if (lt == std::string::npos) return true;
  const std::size_t gt = bytes.find('>', lt);
  return gt != std::string::npos && IsWellFormedTag(bytes.substr(lt + 1, gt - lt - 1));
}

// Where `count` UTF-8 characters from `start` end (or the end of the text).
std::size_t AfterCharacters(const std::string& bytes, std::size_t start, std::size_t count) {
  std::size_t at = start;
  for (std::size_t n = 0; n < count && at < bytes.size(); ++n) {
    const auto c = static_cast<unsigned char>(bytes[at]);
    at += c < 0xC0 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
  }
  return std::min(at, bytes.size());
}

bool OnlyBlanks(const std::string& bytes, std::size_t from, std::size_t to) {
  return bytes.find_first_not_of(" \t\r\n", from) >= to;
}

// Where the value of `length` starting at `start` ends. Lengths count bytes;
// but some writers count the characters of a UTF-8 value. When the byte
// count visibly breaks the next tag while a character count lands right
// before it, the characters are meant.
std::size_t ValueEnd(const std::string& bytes, std::size_t start, std::size_t length,
                     bool& byCharacters) {
  const std::size_t byteEnd = start + length;
  if (NextTagIsIntact(bytes, byteEnd)) return byteEnd;
  const std::size_t charEnd = AfterCharacters(bytes, start, length);
  const std::size_t next = bytes.find('<', charEnd);
  if (charEnd != byteEnd && next != std::string::npos && OnlyBlanks(bytes, charEnd, next) &&
      NextTagIsIntact(bytes, charEnd)) {
    byCharacters = true;
    return charEnd;
  }
  return byteEnd;
}

RawRecord ReadFields(const std::string& bytes, std::size_t pos) {
  RawRecord r;
  for (;;) {
    const std::size_t lt = bytes.find('<', pos);
    if (lt == std::string::npos) {
      r.error = "the record ends without <EOR>";
      r.next = bytes.size();
      return r;
    }
    const std::size_t gt = bytes.find('>', lt);
    if (gt == std::string::npos) return Broken(bytes, lt, "a field tag without its closing '>'");
    const std::string tag = bytes.substr(lt + 1, gt - lt - 1);
    const std::size_t colon = tag.find(':');
    const std::string name = UpperAscii(tag.substr(0, colon));
    if (colon == std::string::npos) {
      if (name == "EOR") {
        r.next = gt + 1;
        return r;
      }
      return Broken(bytes, lt, "the tag <" + Printable(tag) + "> has no length");
    }
    const std::string rest = tag.substr(colon + 1);
    const std::string length = rest.substr(0, rest.find(':'));
    if (name.empty()) return Broken(bytes, lt, "a field without a name: <" + Printable(tag) + ">");
    if (!AllDigits(length) || length.size() > 9) {
      return Broken(bytes, lt, "bad field length in <" + Printable(tag) + ">");
    }
    const std::size_t n = std::stoul(length);
    if (n > bytes.size() - gt - 1) {
      return Broken(bytes, lt, "field " + name + " of length " + length +
                                   " runs past the end of the file");
    }
    const std::size_t end = ValueEnd(bytes, gt + 1, n, r.lengthsInCharacters);
    const std::string data = bytes.substr(gt + 1, end - gt - 1);
    if (FindTag(data, kEor, 0) != std::string::npos) {
      return Broken(bytes, lt, "field " + name + " of length " + length +
                                   " runs into the next record");
    }
    r.fields.emplace(name, data);  // a repeated field: the first one counts
    pos = end;
  }
}

std::string Field(const Fields& f, const char* name) {
  const auto it = f.find(name);
  return it == f.end() ? std::string() : Trimmed(it->second);
}

std::string UpperField(const Fields& f, const char* name) { return UpperAscii(Field(f, name)); }

// QSO_DATE YYYYMMDD and TIME_ON HHMM or HHMMSS, or the reason they are bad.
std::string ReadTime(const Fields& f, CalendarTime& t) {
  const std::string date = Field(f, "QSO_DATE");
  const std::string time = Field(f, "TIME_ON");
  if (date.empty()) return "no QSO_DATE";
  if (date.size() != 8 || !AllDigits(date)) return "bad QSO_DATE '" + Printable(date) + "'";
  t.year = std::stoi(date.substr(0, 4));
  t.month = std::stoi(date.substr(4, 2));
  t.day = std::stoi(date.substr(6, 2));
  if (!IsCalendarDate(t.year, t.month, t.day)) return "bad QSO_DATE '" + date + "'";
  if (time.empty()) return "no TIME_ON";
  if ((time.size() != 4 && time.size() != 6) || !AllDigits(time)) {
    return "bad TIME_ON '" + Printable(time) + "'";
  }
  t.hour = std::stoi(time.substr(0, 2));
  t.minute = std::stoi(time.substr(2, 2));
  t.second = time.size() == 6 ? std::stoi(time.substr(4, 2)) : 0;
  if (t.hour > 23 || t.minute > 59 || t.second > 59) return "bad TIME_ON '" + time + "'";
  return std::string();
}

// The band from BAND, which must name an amateur band when it is there.
std::string ReadBand(const Fields& f, std::optional<std::string>& metres) {
  const std::string band = Field(f, "BAND");
  if (band.empty()) return std::string();
  metres = BandFromAdifName(band);
  return metres ? std::string() : "unknown BAND '" + Printable(band) + "'";
}

// FREQ in MHz to Hz, and the band from BAND or else from the frequency; a
// record with BAND and no FREQ is on the band's lower edge (`fromBand`).
std::string ReadFrequency(const Fields& f, LogContact& c, std::string& note,
                          bool& fromBand) {
  std::optional<std::string> metres;
  std::string why = ReadBand(f, metres);
  if (!why.empty()) return why;
  const std::string freq = Field(f, "FREQ");
  if (freq.empty()) {
    if (!metres) return "neither FREQ nor BAND";
    c.band = *metres;
    c.freqHz = *LowerEdgeHz(c.band);
    fromBand = true;
    return std::string();
  }
  const std::optional<std::uint32_t> hz = DecimalToUnits(freq, 6);
  if (!hz) return "bad FREQ '" + Printable(freq) + "' (a frequency in MHz up to 4294.967295)";
  c.freqHz = *hz;
  if (metres) {
    c.band = *metres;
    if (!FrequencyInBand(c.freqHz, c.band)) {
      note = "FREQ " + freq + " MHz lies outside BAND " + Field(f, "BAND") +
             "; the band is taken from BAND";
    }
    return std::string();
  }
  metres = BandOfFrequency(c.freqHz);
  if (!metres) return "FREQ " + freq + " MHz lies in no amateur band and the record has no BAND";
  c.band = *metres;
  return std::string();
}

// SSB however the log spells it (MODE SSB, or SUBMODE USB or LSB); every
// other mode as written, in upper case.
std::string Mode(const Fields& f) {
  const std::string mode = UpperField(f, "MODE");
  const std::string submode = UpperField(f, "SUBMODE");
  if (mode == "SSB" || mode == "USB" || mode == "LSB" || submode == "USB" || submode == "LSB") {
    return "SSB";
  }
  return mode;
}

Exchange SentExchange(const Fields& f) {
  const std::string text = UpperField(f, "STX_STRING");
  if (!text.empty()) return ExchangeOf(text);
  Exchange e;
  e.serial = Field(f, "STX");
  return e;
}

std::string ReceivedExchange(const Fields& f) {
  const std::string text = UpperField(f, "SRX_STRING");
  if (!text.empty()) return HostExchange(ExchangeOf(text));
  Exchange e;
  e.serial = Field(f, "SRX");
  e.region = UpperField(f, "STATE");
  return HostExchange(e);
}

// The contact of one record, or the reason it cannot be replayed.
std::string ToContact(const Fields& f, LogContact& c, std::string& note, bool& fromBand) {
  c.call = UpperField(f, "CALL");
  if (c.call.empty()) return "no CALL";
  if (!IsAsciiCall(c.call)) {
    return "the call '" + Printable(c.call) + "' is not written in ASCII letters and digits";
  }
  std::string why = ReadTime(f, c.time);
  if (!why.empty()) return why;
  why = ReadFrequency(f, c, note, fromBand);
  if (!why.empty()) return why;
  c.mode = Mode(f);
  c.rstSent = Field(f, "RST_SENT");
  c.rstRcvd = Field(f, "RST_RCVD");
  c.sentNumber = PaddedNumber(SentExchange(f).serial);
  c.rcvdExchange = ReceivedExchange(f);
  const std::string dxcc = Field(f, "DXCC");
  if (!dxcc.empty()) {
    if (!AllDigits(dxcc) || dxcc.size() > 4) return "bad DXCC '" + Printable(dxcc) + "'";
    c.dxcc = std::stoi(dxcc);
  }
  return std::string();
}

// The station values come from the first record that has them; the
// station's call is preferred to the operator's, MY_STATE to the region
// of the sent exchange.
struct StationFields {
  std::string stationCall;
  std::string operatorCall;
  std::string region;
  std::string sentRegion;
  std::string grid;
  std::string contest;

  void Take(const Fields& f) {
    if (stationCall.empty()) stationCall = UpperField(f, "STATION_CALLSIGN");
    if (operatorCall.empty()) operatorCall = UpperField(f, "OPERATOR");
    if (region.empty()) region = UpperField(f, "MY_STATE");
    if (sentRegion.empty()) sentRegion = SentExchange(f).region;
    if (grid.empty()) grid = UpperField(f, "MY_GRIDSQUARE");
    if (contest.empty()) contest = Field(f, "CONTEST_ID");
  }
  void Into(ContactLog& log) const {
    log.ownCall = stationCall.empty() ? operatorCall : stationCall;
    log.ownRegion = region.empty() ? sentRegion : region;
    log.ownGrid = grid;
    log.contest = contest;
  }
};

// Where the records begin: after an <EOH> that comes before the first
// <EOR>, else at the first field when the file opens with one. Text before
// the first field with no <EOH> after it is a header that never ends.
std::optional<std::size_t> RecordsStart(const std::string& bytes, std::size_t from) {
  const std::size_t eoh = FindTag(bytes, kEoh, from);
  const std::size_t eor = FindTag(bytes, kEor, from);
  if (eoh != std::string::npos && (eor == std::string::npos || eoh < eor)) {
    return eoh + kEoh.size();
  }
  const std::size_t first = bytes.find_first_not_of(" \t\r\n", from);
  if (first == std::string::npos) return bytes.size();
  if (bytes[first] == '<') return first;
  return std::nullopt;
}

// A tag without a length after the last record (<APP_LoTW_EOF>, <EOF>)
// marks the end of the data, not a record.
bool IsEndMarker(const std::string& bytes, std::size_t lt) {
  const std::size_t gt = bytes.find('>', lt);
  if (gt == std::string::npos) return false;
  const std::string tag = bytes.substr(lt + 1, gt - lt - 1);
  return tag.find(':') == std::string::npos && UpperAscii(tag) != "EOR" &&
         FindTag(bytes, kEor, gt) == std::string::npos;
}

// What the log as a whole is worth telling, once.
void NoteOnce(ContactLog& log, int fromBand, int byCharacters) {
  if (fromBand > 0) {
    log.logNotes.push_back(std::to_string(fromBand) + (fromBand == 1 ? " record has" : " records have") +
                           " BAND and no FREQ; the frequency is taken as the lower edge of the band");
  }
  if (byCharacters > 0) {
    log.logNotes.push_back("in " + std::to_string(byCharacters) +
                           (byCharacters == 1 ? " record" : " records") +
                           " a field length counts the characters of a UTF-8 value, not its "
                           "bytes; those values are read by their characters");
  }
}

}  // namespace

Result<ContactLog> ReadAdif(const std::string& bytes) {
  ContactLog log;
  log.format = "ADIF";
  const std::size_t bom = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  const std::optional<std::size_t> start = RecordsStart(bytes, bom);
  if (!start) return Fail("not an ADIF log: the header text has no <EOH>");
  LineCounter lines(bytes);
  StationFields station;
  int fromBand = 0;
  int byCharacters = 0;
  for (std::size_t pos = *start;;) {
    const std::size_t begin = bytes.find('<', pos);
    if (begin == std::string::npos || IsEndMarker(bytes, begin)) break;
    LogPosition where{++log.recordCount, lines.LineAt(begin), begin};
    const RawRecord raw = ReadFields(bytes, begin);
    pos = raw.next;
    byCharacters += raw.lengthsInCharacters ? 1 : 0;
    if (!raw.error.empty()) {
      log.skipped.push_back({where, raw.error});
      continue;
    }
    LogContact c;
    c.where = where;
    std::string note;
    bool bandOnly = false;
    const std::string why = ToContact(raw.fields, c, note, bandOnly);
    if (!why.empty()) {
      log.skipped.push_back({where, why});
      continue;
    }
    fromBand += bandOnly ? 1 : 0;
    if (!note.empty()) log.notes.push_back({where, note});
    station.Take(raw.fields);
    log.contacts.push_back(std::move(c));
  }
  station.Into(log);
  NoteOnce(log, fromBand, byCharacters);
  return log;
}

}  // namespace rezov
