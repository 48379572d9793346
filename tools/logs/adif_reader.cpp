#include "tools/logs/adif_reader.h"

#include <map>
#include <optional>

#include "tools/logs/band_table.h"

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
      return Broken(bytes, lt, "the tag <" + tag + "> has no length");
    }
    const std::string rest = tag.substr(colon + 1);
    const std::string length = rest.substr(0, rest.find(':'));
    if (name.empty()) return Broken(bytes, lt, "a field without a name: <" + tag + ">");
    if (!AllDigits(length) || length.size() > 9) {
      return Broken(bytes, lt, "bad field length in <" + tag + ">");
    }
    const std::size_t n = std::stoul(length);
    if (n > bytes.size() - gt - 1) {
      return Broken(bytes, lt, "field " + name + " of length " + length +
                                   " runs past the end of the file");
    }
    const std::string data = bytes.substr(gt + 1, n);
    if (FindTag(data, kEor, 0) != std::string::npos) {
      return Broken(bytes, lt, "field " + name + " of length " + length +
                                   " runs into the next record");
    }
    r.fields.emplace(name, data);  // a repeated field: the first one counts
    pos = gt + 1 + n;
  }
}

std::string Field(const Fields& f, const char* name) {
  const auto it = f.find(name);
  return it == f.end() ? std::string() : Trimmed(it->second);
}

// QSO_DATE YYYYMMDD and TIME_ON HHMM or HHMMSS, or the reason they are bad.
std::string ReadTime(const Fields& f, CalendarTime& t) {
  const std::string date = Field(f, "QSO_DATE");
  const std::string time = Field(f, "TIME_ON");
  if (date.empty()) return "no QSO_DATE";
  if (date.size() != 8 || !AllDigits(date)) return "bad QSO_DATE '" + date + "'";
  t.year = std::stoi(date.substr(0, 4));
  t.month = std::stoi(date.substr(4, 2));
  t.day = std::stoi(date.substr(6, 2));
  if (!IsCalendarDate(t.year, t.month, t.day)) return "bad QSO_DATE '" + date + "'";
  if (time.empty()) return "no TIME_ON";
  if ((time.size() != 4 && time.size() != 6) || !AllDigits(time)) {
    return "bad TIME_ON '" + time + "'";
  }
  t.hour = std::stoi(time.substr(0, 2));
  t.minute = std::stoi(time.substr(2, 2));
  t.second = time.size() == 6 ? std::stoi(time.substr(4, 2)) : 0;
  if (t.hour > 23 || t.minute > 59 || t.second > 59) return "bad TIME_ON '" + time + "'";
  return std::string();
}

// FREQ in MHz to Hz, and the band from BAND or else from the frequency.
std::string ReadFrequency(const Fields& f, ReplayContact& c, std::string& note) {
  const std::string freq = Field(f, "FREQ");
  if (freq.empty()) return "no FREQ";
  const std::optional<std::uint32_t> hz = DecimalToUnits(freq, 6);
  if (!hz) return "bad FREQ '" + freq + "' (a frequency in MHz up to 4294.967295)";
  c.freqHz = *hz;
  const std::string band = Field(f, "BAND");
  if (!band.empty()) {
    const std::optional<std::string> metres = BandFromAdifName(band);
    if (!metres) return "unknown BAND '" + band + "'";
    c.band = *metres;
    if (!FrequencyInBand(c.freqHz, c.band)) {
      note = "FREQ " + freq + " MHz lies outside BAND " + band + "; the band is taken from BAND";
    }
    return std::string();
  }
  const std::optional<std::string> metres = BandOfFrequency(c.freqHz);
  if (!metres) return "FREQ " + freq + " MHz lies in no amateur band and the record has no BAND";
  c.band = *metres;
  return std::string();
}

std::string SentNumber(const Fields& f) {
  const std::vector<std::string> items = Items(Field(f, "STX_STRING"));
  if (!items.empty()) return items.front();
  return PaddedNumber(Field(f, "STX"));
}

std::string ReceivedExchange(const Fields& f) {
  const std::string text = Field(f, "SRX_STRING");
  if (!text.empty()) return text;
  const std::string number = PaddedNumber(Field(f, "SRX"));
  const std::string state = Field(f, "STATE");
  if (number.empty()) return std::string();
  return state.empty() ? number : number + " " + state;
}

// The contact of one record, or the reason it cannot be replayed.
std::string ToContact(const Fields& f, ReplayContact& c, std::string& note) {
  c.call = Field(f, "CALL");
  if (c.call.empty()) return "no CALL";
  std::string why = ReadTime(f, c.time);
  if (!why.empty()) return why;
  why = ReadFrequency(f, c, note);
  if (!why.empty()) return why;
  c.mode = Field(f, "MODE");
  if (c.mode.empty()) return "no MODE";
  c.rstSent = Field(f, "RST_SENT");
  c.rstRcvd = Field(f, "RST_RCVD");
  c.sentNumber = SentNumber(f);
  c.rcvdExchange = ReceivedExchange(f);
  const std::string dxcc = Field(f, "DXCC");
  if (!dxcc.empty()) {
    if (!AllDigits(dxcc) || dxcc.size() > 4) return "bad DXCC '" + dxcc + "'";
    c.dxcc = std::stoi(dxcc);
  }
  return std::string();
}

// The station values come from the first record that has them; the
// station's call is preferred to the operator's.
struct StationFields {
  std::string stationCall;
  std::string operatorCall;
  std::string region;
  std::string grid;

  void Take(const Fields& f) {
    if (stationCall.empty()) stationCall = Field(f, "STATION_CALLSIGN");
    if (operatorCall.empty()) operatorCall = Field(f, "OPERATOR");
    if (region.empty()) region = Field(f, "MY_STATE");
    if (grid.empty()) grid = Field(f, "MY_GRIDSQUARE");
  }
  void Into(ReplayLog& log) const {
    log.ownCall = stationCall.empty() ? operatorCall : stationCall;
    log.ownRegion = region;
    log.ownGrid = grid;
  }
};

// Where the records begin: after an <EOH> that comes before the first
// <EOR>, else at the first field when the file opens with one. Text before
// the first field with no <EOH> after it is a header that never ends.
std::optional<std::size_t> RecordsStart(const std::string& bytes) {
  const std::size_t eoh = FindTag(bytes, kEoh, 0);
  const std::size_t eor = FindTag(bytes, kEor, 0);
  if (eoh != std::string::npos && (eor == std::string::npos || eoh < eor)) {
    return eoh + kEoh.size();
  }
  const std::size_t first = bytes.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return bytes.size();
  if (bytes[first] == '<') return first;
  return std::nullopt;
}

}  // namespace

Result<ReplayLog> ReadAdif(const std::string& bytes) {
  ReplayLog log;
  log.format = "ADIF";
  const std::optional<std::size_t> start = RecordsStart(bytes);
  if (!start) return Fail("not an ADIF log: the header text has no <EOH>");
  LineCounter lines(bytes);
  StationFields station;
  std::size_t pos = *start;
  for (;;) {
    const std::size_t begin = bytes.find('<', pos);
    if (begin == std::string::npos) break;
    LogPosition where{++log.recordCount, lines.LineAt(begin), begin};
    const RawRecord raw = ReadFields(bytes, begin);
    pos = raw.next;
    if (!raw.error.empty()) {
      log.skipped.push_back({where, raw.error});
      continue;
    }
    ReplayContact c;
    c.where = where;
    std::string note;
    const std::string why = ToContact(raw.fields, c, note);
    if (!why.empty()) {
      log.skipped.push_back({where, why});
      continue;
    }
    if (!note.empty()) log.notes.push_back({where, note});
    station.Take(raw.fields);
    log.contacts.push_back(std::move(c));
  }
  station.Into(log);
  return log;
}

}  // namespace rezov
