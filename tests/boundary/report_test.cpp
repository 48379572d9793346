#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "tests/boundary/host_session.h"

namespace rezov {
namespace {

// Feeds `answers` to the module's terminal form through standard input for
// the lifetime of the object.
class FormAnswers {
 public:
  explicit FormAnswers(const std::string& answers) {
    std::ofstream("answers.txt", std::ios::binary) << answers;
    std::fflush(stdin);
    saved_ = dup(STDIN_FILENO);
    const int fd = open("answers.txt", O_RDONLY);
    dup2(fd, STDIN_FILENO);
    close(fd);
    std::clearerr(stdin);
  }
  ~FormAnswers() {
    dup2(saved_, STDIN_FILENO);
    close(saved_);
    std::clearerr(stdin);
  }

 private:
  int saved_;
};

class Report : public ::testing::Test {
 protected:
  TempWorkdir workdir;
  LoadedModule module{REZOV_MODULE_PATH};

  void AddContest() {
    const double t = 40973.0 + 19.0 / 24 + 10.0 / 1440;
    CallAdd(module.AddData0, {"R3MA", t, 1830500, "CW", "001", "001MA", "UA", "160"});
    CallAdd(module.AddData0, {"R9SP", t, 1831000, "CW", "002", "002 SP", "UA9", "160"});
    CallAdd(module.AddData0, {"R3MA", t, 3510000, "SSB", "003", "003 MA", "UA", "80"});
  }
};

const char kQsoLines[] =
    "QSO:  1830 CW 2012-03-05 1910 R3XX          001 MA     R3MA          001 MA\r\n"
    "QSO:  1831 CW 2012-03-05 1910 R3XX          002 MA     R9SP          002 SP\r\n"
    "QSO:  3510 PH 2012-03-05 1910 R3XX          003 MA     R3MA          003 MA\r\n"
    "END-OF-LOG:\r\n";

TEST_F(Report, ConfirmedFormSavesTheSettingsAndWritesTheLog) {
  {
    FormAnswers answers("NAME=Ivan Petrov\nADDRESS=Street 1\\nMoscow\nCATEGORY-BAND=80\n"
                        "LOCATION=MA\nNO-SUCH-FIELD=1\nOK\n");
    ASSERT_EQ(1, Reset(module, 1, "R3XX", 40973.0, "MA", "KO"));
  }
  AddContest();
  int result = 0;
  module.GetResult0(&result);
  EXPECT_EQ(-1, result);
  EXPECT_EQ(
      "[Settings]\r\nOperators=R3XX\r\nName=Ivan Petrov\r\nAddress=Street 1<CR><LF>Moscow\r\n"
      "Category=SINGLE-OP\r\nContest=MSK\r\nEmail=\r\nClub=\r\nSoapBox=\r\nLocation=MA\r\n"
      "Claimed=6\r\n",
      ReadFile("Plugins/VARNO.ini"));
  EXPECT_EQ(std::string("START-OF-LOG: 3.0\r\nCONTEST: MSK\r\nCALLSIGN: R3XX\r\n"
                        "CATEGORY-OPERATOR: SINGLE-OP\r\nCATEGORY-BAND: 80\r\n"
                        "CATEGORY-POWER: HIGH\r\nCATEGORY-OVERLAY: SO160\r\nLOCATION: MA\r\n"
                        "CLAIMED-SCORE: 6\r\nCLUB: \r\nCREATED-BY: Lunt \r\n"
                        "NAME: Ivan Petrov\r\nADDRESS: Street 1\r\nADDRESS: Moscow\r\n"
                        "OPERATORS: R3XX\r\nEMAIL: \r\nSOAPBOX: \r\n") +
                kQsoLines,
            ReadFile("R3XX.cbr"));
  EXPECT_EQ("", ReadFile("cabrillo.ini")) << "created empty";
}

TEST_F(Report, CancelledFormWritesNoSettingsButTheLogAllTheSame) {
  {
    FormAnswers answers("NAME=Lost\nCANCEL\n");
    Reset(module, 1, "R3XX", 40973.0, "MA", "KO");
  }
  AddContest();
  int result = 0;
  module.GetResult0(&result);
  EXPECT_EQ(-1, result);
  EXPECT_EQ("[Settings]\r\nClaimed=6\r\n", ReadFile("Plugins/VARNO.ini"));
  const std::string log = ReadFile("R3XX.cbr");
  EXPECT_NE(std::string::npos, log.find("\r\nNAME: \r\n"));
  EXPECT_NE(std::string::npos, log.find("\r\nCLAIMED-SCORE: 6\r\n"));
  EXPECT_EQ(log.size() - (sizeof kQsoLines - 1), log.find(kQsoLines));
}

TEST_F(Report, SettingsComeBackAtTheNextReset) {
  {
    FormAnswers answers("NAME=Ivan\nSOAPBOX=line 1\\nline 2\nOK\n");
    Reset(module, 1, "R3XX", 40973.0, "MA", "KO");
  }
  {
    FormAnswers answers("\n");  // an empty line confirms what is shown
    Reset(module, 1, "R3XX", 40973.0, "MA", "KO");
  }
  module.GetResult0(nullptr);
  const std::string log = ReadFile("R3XX.cbr");
  EXPECT_NE(std::string::npos, log.find("\r\nNAME: Ivan\r\n"));
  EXPECT_NE(std::string::npos, log.find("\r\nSOAPBOX: line 1\r\nSOAPBOX: line 2\r\n"));
}

}  // namespace
}  // namespace rezov
