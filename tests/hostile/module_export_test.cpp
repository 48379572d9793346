// The export's hostile cases once more through the built Rezov.so, as a host
// meets them: the module talks to the real terminal form and message box on
// its standard input and error, which the test points at files.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdio_ext.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "tests/boundary/host_session.h"
#include "tests/hostile/hostile_folder.h"

namespace rezov::hostile {
namespace {

// Standard input read from a file of typed lines and standard error written
// to a file, while the object lives.
class Redirected {
 public:
  explicit Redirected(const std::string& typed) {
    WriteBytes("typed.txt", typed);
    std::fflush(stderr);
    savedIn_ = ::dup(0);
    savedErr_ = ::dup(2);
    Replace(0, ::open("typed.txt", O_RDONLY));
    Replace(2, ::open("shown.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644));
    // Whatever stdin buffered from an earlier file would be read first.
    __fpurge(stdin);
    std::clearerr(stdin);
  }
  ~Redirected() {
    std::fflush(stderr);
    Replace(0, savedIn_);
    Replace(2, savedErr_);
    __fpurge(stdin);
    std::clearerr(stdin);
  }

  // The message boxes shown so far.
  std::string Messages() {
    std::fflush(stderr);
    const std::string shown = ReadBytes("shown.txt").value_or("");
    std::string messages;
    std::size_t pos = 0;
    while ((pos = shown.find("Output: ", pos)) != std::string::npos) {
      const std::size_t end = shown.find('\n', pos);
      messages += shown.substr(pos, end - pos) + "|";
      pos = end;
    }
    return messages;
  }

 private:
  static void Replace(int fd, int with) {
    if (with < 0 || ::dup2(with, fd) < 0) std::abort();
    ::close(with);
  }
  int savedIn_;
  int savedErr_;
};

class ModuleExport : public ::testing::Test {
 protected:
  TempFolder folder;
  LoadedModule module{REZOV_MODULE_PATH};

  void SetUp() override { std::filesystem::create_directory("Plugins"); }

  // Reset in report mode, one contact, the score: returns the out-parameter.
  int ReportRun() {
    Reset(module, 1, "R3XX", 40973.0, "MA", "KO");
    CallAdd(module.AddData0,
            {"R3MA", 40973.0 + 19.0 / 24, 1830000, "CW", "001", "001 MA", "UA", "160"});
    int result = 0;
    const char* summary = module.GetResult0(&result);
    EXPECT_NE(nullptr, std::strstr(summary, "Total\t 1\t 1\t 1\t 0\t 0\r\n"));
    return result;
  }
};

TEST_F(ModuleExport, AReadOnlyTargetIsKeptAndNamedAsNotProduced) {
  WriteBytes("R3XX.cbr", "old log\r\n");
  ASSERT_EQ(0, ::chmod("R3XX.cbr", 0444));
  Redirected terminal("OK\n");
  EXPECT_EQ(-1, ReportRun());
  EXPECT_EQ("old log\r\n", ReadBytes("R3XX.cbr").value());
  EXPECT_EQ("Output: File not produced: R3XX.cbr|", terminal.Messages());
}

TEST_F(ModuleExport, ATargetThatIsAFolderIsNamedAsNotProduced) {
  std::filesystem::create_directory("R3XX.cbr");
  Redirected terminal("OK\n");
  EXPECT_EQ(-1, ReportRun());
  EXPECT_TRUE(IsFolder("R3XX.cbr"));
  EXPECT_EQ("Output: File not produced: R3XX.cbr|", terminal.Messages());
}

TEST_F(ModuleExport, HostileSettingsAndHeaderFilesStillGiveTheLog) {
  const std::string settings = "[Settings]\nName=Ivan\n" + BinaryJunk(4096, 3) + "\n[Other]\nK=V\n";
  WriteBytes("Plugins/VARNO.ini", settings);
  ASSERT_EQ(0, ::chmod("Plugins/VARNO.ini", 0444));
  std::string extension;
  while (extension.size() < 10 * 1024 * 1024) extension += "X-FILL: " + std::string(60, 'f') + "\r\n";
  WriteBytes("cabrillo.ini", extension);
  Redirected terminal("NAME=Petr\nOK\n");
  EXPECT_EQ(-1, ReportRun());
  EXPECT_EQ(settings, ReadBytes("Plugins/VARNO.ini").value()) << "read-only: left alone";
  const std::string log = ReadBytes("R3XX.cbr").value();
  EXPECT_NE(std::string::npos, log.find("NAME: Petr\r\n"));
  EXPECT_NE(std::string::npos, log.find("SOAPBOX: \r\n" + extension + "QSO: "));
  EXPECT_EQ("Output: File produced: R3XX.cbr|", terminal.Messages());
}

TEST_F(ModuleExport, AnUnreadableHeaderExtensionAndNoSettingsFolder) {
  std::filesystem::remove("Plugins");
  ASSERT_EQ(0, ::symlink("cabrillo.ini", "cabrillo.ini"));
  Redirected terminal("");  // the form meets the end of input: not confirmed
  EXPECT_EQ(-1, ReportRun());
  const std::string log = ReadBytes("R3XX.cbr").value();
  EXPECT_NE(std::string::npos, log.find("SOAPBOX: \r\nQSO: "));
  EXPECT_FALSE(std::filesystem::exists("Plugins"));
  EXPECT_EQ("Output: File produced: R3XX.cbr|", terminal.Messages());
}

}  // namespace
}  // namespace rezov::hostile
