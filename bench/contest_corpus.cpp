#include "bench/contest_corpus.h"

#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <string>

#include "platform/ole_date.h"

namespace rezov {
namespace {

struct Station {
  std::string call;
  std::string country;
  std::string region;  // the region code, or the country's grid code abroad
};

const char* const kRussianPrefixes[] = {"UA3", "RA3", "RW3", "RK3", "UA1", "RN6", "R9", "UA9"};
const char* const kRegions[] = {"MO", "SP", "LO", "KO", "AR", "VO", "TV", "YA", "KS", "NN",
                                "SA", "SV", "CB", "NS", "OM", "KK", "PR", "RO", "KR", "TA",
                                "BA", "VG", "VR", "BO", "KG", "KL", "LP", "OR", "PE", "RA"};
struct Foreign {
  const char* prefix;
  const char* country;
  const char* grid;
};
const Foreign kForeign[] = {{"SP", "SP", "PL"}, {"DL", "DL", "DE"}, {"OK", "OK", "CZ"},
                            {"ES", "ES", "EE"}, {"UR", "UR", "UR"}, {"EW", "EW", "BY"},
                            {"YL", "YL", "LV"}, {"LY", "LY", "LT"}};

// Letters that make station s's call unique: A, B, ... Z, AA, AB, ...
std::string Suffix(std::size_t s) {
  std::string letters;
  do {
    letters.insert(letters.begin(), static_cast<char>('A' + s % 26));
    s /= 26;
  } while (s-- != 0);
  return letters;
}

template <std::size_t N>
const char* Pick(const char* const (&options)[N], std::mt19937& rng) {
  return options[rng() % N];
}

Station MakeStation(std::size_t s, std::mt19937& rng) {
  Station st;
  if (rng() % 10 < 7) {
    const std::string prefix = Pick(kRussianPrefixes, rng);
    st.call = prefix + Suffix(s);
    st.country = prefix.find('9') != std::string::npos ? "UA9" : (rng() % 20 == 0 ? "UA2" : "UA");
    st.region = rng() % 5 == 0 ? "MA" : Pick(kRegions, rng);
  } else {
    const Foreign& f = kForeign[rng() % (sizeof kForeign / sizeof kForeign[0])];
    st.call = std::string(f.prefix) + static_cast<char>('1' + rng() % 9) + Suffix(s);
    st.country = f.country;
    st.region = f.grid;
  }
  return st;
}

std::string Number(unsigned value, int width) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*u", width, value);
  return text;
}

ContactArgs MakeContact(const Station& st, std::size_t i, std::size_t n, std::mt19937& rng) {
  static const double kStart = OleDateFromCalendar(2012, 3, 5, 19, 0, 0);
  ContactArgs c;
  c.call = st.call;
  // Log order is time order; the seconds over two hours are spread evenly.
  const double second = 7200.0 * static_cast<double>(i) / static_cast<double>(n);
  c.time = OleDate{kStart + second / 86400.0, kOleDateValid};
  const bool topBand = rng() % 5 < 3;
  c.band = topBand ? "160" : "80";
  const bool cw = rng() % 10 < 7;
  c.mode = cw ? "CW" : "SSB";
  c.freqHz = (topBand ? 1810000u : 3500000u) + static_cast<std::uint32_t>(rng() % 80000u);
  c.sentInfo = cw ? "599" : "59";
  c.rcvdInfo = cw ? "599" : "59";
  c.sentNumber = Number(static_cast<unsigned>(i + 1), 3);
  c.rcvdExchange = Number(1 + rng() % 999, 3) + " " + st.region;
  c.country = st.country;
  return c;
}

std::unique_ptr<ContestCorpus> MakeCorpus(std::size_t n) {
  auto corpus = std::make_unique<ContestCorpus>();
  std::mt19937 rng(20120305u);
  corpus->reset.callSign = "R3XX";
  corpus->reset.contestDate = OleDate{OleDateFromCalendar(2012, 3, 5, 19, 0, 0), kOleDateValid};
  corpus->reset.region = "MA";
  corpus->reset.grid = "KO";
  // About ten contacts per station: 2 bands, 2 modes and 4 tours allow 16.
  const std::size_t stationCount = n / 10 + 16;
  std::vector<Station> stations;
  for (std::size_t s = 0; s < stationCount; ++s) stations.push_back(MakeStation(s, rng));
  corpus->contacts.reserve(n);
  for (std::size_t i = 0; i < n; ++i) {
    corpus->contacts.push_back(MakeContact(stations[rng() % stationCount], i, n, rng));
  }
  // Half the checks are for logged contacts, half for stations never worked.
  for (std::size_t k = 0; k < 512; ++k) {
    const bool logged = k % 2 == 0;
    const Station st = logged ? Station{} : MakeStation(stationCount + k, rng);
    const ContactArgs& c = corpus->contacts[rng() % n];
    CheckArgs check;
    check.call = logged ? c.call : st.call;
    check.mode = c.mode;
    check.band = c.band;
    check.country = logged ? c.country : st.country;
    check.region = logged ? c.rcvdExchange.substr(4) : st.region;
    corpus->checks.push_back(check);
  }
  return corpus;
}

}  // namespace

const ContestCorpus& CorpusOf(std::size_t contacts) {
  static std::map<std::size_t, std::unique_ptr<ContestCorpus>> made;
  std::unique_ptr<ContestCorpus>& corpus = made[contacts];
  if (!corpus) corpus = MakeCorpus(contacts);
  return *corpus;
}

}  // namespace rezov
