// The Cabrillo header values the operator keeps from one run to the next,
// and the QSO lines of the export being written.
#pragma once

#include <string>
#include <vector>

namespace rezov {

struct StationSettings {
  std::string callSign;
  std::string name;
  std::string address;
  std::string claimed;
  std::string contest;
  std::string email;
  std::string club;
  std::string soapBox;
  std::string operators;
  std::string categoryOperator;
  std::string categoryBand;
  std::string categoryPower;
  std::string categoryOverlay;
  std::string location;
  std::string fileBase;

  std::vector<std::string> qsoLines;
};

}  // namespace rezov
