#include "bench/host_replay.h"

namespace rezov {
namespace {

// What the host passes in the parameters the module does not read: texts,
// numbers and dates it must ignore, as in the boundary tests.
const char kUnread[] = "x";
COleDateTime unreadDate{99.0, 2};

}  // namespace

HostReplay::HostReplay(const ContestCorpus& corpus)
    : callSign_(corpus.reset.callSign),
      contestDate_{corpus.reset.contestDate.value, corpus.reset.contestDate.status},
      region_(corpus.reset.region),
      grid_(corpus.reset.grid) {
  contacts_.reserve(corpus.contacts.size());
  for (const ContactArgs& c : corpus.contacts) {
    contacts_.push_back(Contact{c.call, COleDateTime{c.time.value, c.time.status}, c.freqHz,
                                c.mode, c.sentInfo, c.rcvdInfo, c.sentNumber, c.rcvdExchange,
                                c.country, c.auxText, c.band});
  }
}

void HostReplay::Reset(const ModuleEntryPoints& module) const {
  COleDateTime contestDate = contestDate_;
  module.ResetStats0(kUnread, 0, callSign_.c_str(), &unreadDate, &contestDate, kUnread, kUnread,
                     kUnread, kUnread, region_.c_str(), kUnread, kUnread, grid_.c_str(), kUnread,
                     kUnread, 7, 8, 9, 1.5, 2.5, kUnread, kUnread, kUnread);
}

void HostReplay::Add(const ModuleEntryPoints& module, const Contact& c) const {
  COleDateTime time = c.time;
  module.AddData0(kUnread, c.call.c_str(), &time, &unreadDate, &unreadDate, &unreadDate, 42,
                  c.freqHz, c.mode.c_str(), c.sentInfo.c_str(), c.rcvdInfo.c_str(),
                  c.sentNumber.c_str(), c.rcvdExchange.c_str(), kUnread, kUnread, kUnread,
                  kUnread, kUnread, kUnread, kUnread, kUnread, kUnread, c.country.c_str(), 1, 2,
                  3, 4.5, 5.5, kUnread, c.auxText.c_str(), kUnread, c.band.c_str(), kUnread);
}

int HostReplay::Run(const ModuleEntryPoints& module) const {
  Reset(module);
  for (const Contact& c : contacts_) Add(module, c);
  int score = 0;
  module.GetResult0(&score);
  return score;
}

}  // namespace rezov
