#include "contest/contest_reset.h"

namespace rezov {

const char kCompanionCommandLine[] = ".\\Plugins\\Korbix.exe";

void StartCompanionOnce(Platform& platform, bool& started) {
  if (started) return;
  platform.StartProgram(kCompanionCommandLine);
  started = true;
}

std::string ContestDateText(Platform& platform, const OleDate& date) {
  return platform.DateText(date).substr(0, 10);
}

std::string TwoCharacterCode(const std::string& text) { return text.substr(0, 2); }

}  // namespace rezov
