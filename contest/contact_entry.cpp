#include "contest/contact_entry.h"

namespace rezov {
namespace {

// Character `i` of `text`, reading NUL at and past its end.
char CharAt(const std::string& text, std::size_t i) {
  return i < text.size() ? text[i] : '\0';
}

// The characters up to the first NUL.
std::string UpToNul(const char* chars, std::size_t count) {
  std::string out;
  for (std::size_t i = 0; i < count && chars[i] != '\0'; ++i) out += chars[i];
  return out;
}

}  // namespace

NormalisedExchange NormaliseExchange(const std::string& exchange) {
  const std::size_t regionAt = exchange.size() == 5 ? 3 : 4;
  const char region[2] = {CharAt(exchange, regionAt), CharAt(exchange, regionAt + 1)};
  const char text[6] = {CharAt(exchange, 0), CharAt(exchange, 1),
                        CharAt(exchange, 2), ' ', region[0], region[1]};
  return {UpToNul(text, 6), UpToNul(region, 2)};
}

bool IsRussianPrefix(const std::string& country) {
  return country == "UA" || country == "UA2" || country == "UA9";
}

QsoRecord BuildRecord(const ContactArgs& contact, const std::string& ownRegion) {
  QsoRecord r;
  r.call = contact.call;
  r.band = contact.band;
  r.mode = contact.mode;
  r.auxText = contact.auxText;
  r.rcvdInfo = contact.rcvdInfo;
  r.sentInfo = contact.sentInfo;
  const NormalisedExchange exchange = NormaliseExchange(contact.rcvdExchange);
  r.rcvdExchange = exchange.text;
  if (!IsRussianPrefix(contact.country)) {
    r.gridKey = exchange.region;
  } else if (exchange.region == "MA") {
    r.maKey = contact.call;
  } else {
    r.oblKey = exchange.region;
  }
  r.sentExchange = contact.sentNumber + " " + ownRegion;
  r.country = contact.country;
  r.freqKhz = static_cast<std::int32_t>(contact.freqHz / 1000u);
  r.time = contact.time;
  return r;
}

int AddData(QsoLog& log, BandList& bands, const std::string& ownRegion,
            const ContactArgs& contact) {
  if (!bands.contains(contact.band)) bands.append(contact.band);
  log.appendIfNew(BuildRecord(contact, ownRegion));
  return 1;
}

int RemoveData(QsoLog& log, const std::string& ownRegion, const ContactArgs& contact) {
  if (contact.rcvdExchange.empty() || contact.sentNumber.empty()) return 0;
  // The same station may be in the log once per tour; the identical record
  // is the contact meant, the first of call, mode and band only a fallback.
  std::optional<std::size_t> index = log.findEqual(BuildRecord(contact, ownRegion));
  if (!index) index = log.findFirst(contact.call, contact.mode, contact.band);
  if (index) log.removeAt(*index);
  return 1;
}

}  // namespace rezov
