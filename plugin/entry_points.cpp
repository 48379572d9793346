// The exported functions. Each converts its raw arguments and runs one core
// operation on the module's state inside a guard: nothing is thrown to the
// host. A null text reads as empty and a null date as a null date, so a
// careless host gets an answer instead of a crash.
#include <cstring>
#include <exception>
#include <string>

#include "platform/native_platform.h"
#include "plugin/module_state.h"
#include "plugin/rezov_exports.h"

namespace rezov {
namespace {

// Created when the module is loaded, destroyed when it is unloaded.
ModuleState g_module(NativePlatform());

const char kSetName[] = "Moscow";
const char kNoSetName[] = "";
const char kNoSetupText[] = "No additional setup for this contest";

std::string Text(const char* text) { return text ? std::string(text) : std::string(); }

OleDate Date(const COleDateTime* date) {
  if (!date) return OleDate{0.0, kOleDateNull};
  OleDate d;
  std::memcpy(&d.value, &date->m_dt, sizeof d.value);
  std::memcpy(&d.status, &date->m_status, sizeof d.status);
  return d;
}

// Runs `op`, turning anything it throws (in practice only an allocation
// failure) into `fallback`.
template <typename Result, typename Op>
Result Guarded(Result fallback, Op op) noexcept {
  try {
    return op();
  } catch (...) {
    return fallback;
  }
}

ContactArgs Contact(const char* call, const COleDateTime* time, unsigned int freqHz,
                    const char* mode, const char* sentInfo, const char* rcvdInfo,
                    const char* sentNumber, const char* rcvdExchange,
                    const char* country, const char* auxText, const char* band) {
  ContactArgs c;
  c.call = Text(call);
  c.time = Date(time);
  c.freqHz = freqHz;
  c.mode = Text(mode);
  c.sentInfo = Text(sentInfo);
  c.rcvdInfo = Text(rcvdInfo);
  c.sentNumber = Text(sentNumber);
  c.rcvdExchange = Text(rcvdExchange);
  c.country = Text(country);
  c.auxText = Text(auxText);
  c.band = Text(band);
  return c;
}

}  // namespace
}  // namespace rezov

using namespace rezov;

extern "C" {

int GetNumberOfSets() { return 1; }

const char* GetSetName(int setIndex) { return setIndex == 0 ? kSetName : kNoSetName; }

void SetupSet0() {
  Guarded(0, [] {
    g_module.platform.ShowMessage(MessageOwner::kNone, kNoSetupText, std::nullopt,
                                  kMessageOk);
    return 0;
  });
}

int GetExchgCount0(const char*, const char*, const char*) { return 1; }

int IsValidExchg0(const char*, const char*, const char*, const char*, int, int, int) {
  return 0;
}

int ResetStats0(const char*, int reportMode, const char* callSign, COleDateTime*,
                COleDateTime* contestDate, const char*, const char*, const char*,
                const char*, const char* region, const char*, const char*,
                const char* grid, const char*, const char*, int, int, int, double,
                double, const char*, const char*, const char*) {
  return Guarded(1, [&] {
    ResetArgs args;
    args.reportMode = reportMode;
    args.callSign = Text(callSign);
    args.contestDate = Date(contestDate);
    args.region = Text(region);
    args.grid = Text(grid);
    return ResetStats(g_module, args);
  });
}

// The 33 parameters of AddData0 and RemoveData0, named where the module
// reads them.
#define REZOV_CONTACT_PARAMETERS                                                         \
  const char*, const char* call, COleDateTime* time, COleDateTime*, COleDateTime*,      \
      COleDateTime*, unsigned int, unsigned int freqHz, const char* mode,               \
      const char* sentInfo, const char* rcvdInfo, const char* sentNumber,               \
      const char* rcvdExchange, const char*, const char*, const char*, const char*,     \
      const char*, const char*, const char*, const char*, const char*,                  \
      const char* country, int, int, int, double, double, const char*,                  \
      const char* auxText, const char*, const char* band, const char*
#define REZOV_CONTACT_ARGUMENTS \
  Contact(call, time, freqHz, mode, sentInfo, rcvdInfo, sentNumber, rcvdExchange, country, \
          auxText, band)

int AddData0(REZOV_CONTACT_PARAMETERS) {
  return Guarded(1, [&] { return AddData(g_module, REZOV_CONTACT_ARGUMENTS); });
}

int RemoveData0(REZOV_CONTACT_PARAMETERS) {
  return Guarded(0, [&] { return RemoveData(g_module, REZOV_CONTACT_ARGUMENTS); });
}

#undef REZOV_CONTACT_PARAMETERS
#undef REZOV_CONTACT_ARGUMENTS

int CheckCall0(const char* call, unsigned int, unsigned int, const char* mode,
               const char*, const char*, const char*, const char*, const char*,
               const char*, const char*, const char*, const char*, const char* country,
               int, int, int, double, double, const char*, const char*, const char*,
               const char*, const char* region, const char* band, const char*, char*,
               char* message) {
  return Guarded(0, [&] {
    CheckArgs args;
    args.call = Text(call);
    args.mode = Text(mode);
    if (country) args.country = std::string(country);
    args.region = Text(region);
    args.band = Text(band);
    const CheckOutcome outcome = CheckCall(g_module, g_module.platform.UtcNow(), args);
    if (outcome.message && message) {
      std::memcpy(message, outcome.message->c_str(), outcome.message->size() + 1);
    }
    return outcome.result;
  });
}

const char* GetResult0(int* result) {
  return Guarded(kNoSetName, [&] { return GetResult(g_module, result); });
}

}  // extern "C"
