// Replacing files under real faults of the system, not fakes: a child
// process whose file size limit runs out part-way (SIGXFSZ ignored, so the
// write fails with EFBIG), a folder the writer may not write to, a target
// that is a folder or read-only, a settings file the writer cannot read.
// Whatever fails, the old bytes stay under the name and no temporary file
// is left beside them.
#include <gtest/gtest.h>

#include <grp.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>

#include "platform/posix/posix_platform.h"
#include "platform/replace_file.h"
#include "tests/hostile/hostile_folder.h"

namespace rezov::hostile {
namespace {

constexpr uid_t kNobody = 65534;

struct ChildLimits {
  rlim_t fileSize = RLIM_INFINITY;
  bool asNobody = false;  // drop root's powers, so that permissions hold
};

// Runs `op` in a child process under `limits`; gives the reason of its
// failure, or "ok".
std::string InChild(const ChildLimits& limits, const std::function<Status()>& op) {
  int fds[2];
  if (::pipe(fds) != 0) return "no pipe";
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(fds[0]);
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit size{limits.fileSize, limits.fileSize};
    if (::setrlimit(RLIMIT_FSIZE, &size) != 0) ::_exit(2);
    if (limits.asNobody && ::geteuid() == 0 &&
        (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
      ::_exit(3);
    }
    const Status status = op();
    const std::string text = status ? "ok" : status.error();
    if (::write(fds[1], text.data(), text.size()) < 0) ::_exit(4);
    ::_exit(0);
  }
  ::close(fds[1]);
  std::string text;
  char chunk[256];
  for (ssize_t n; (n = ::read(fds[0], chunk, sizeof chunk)) > 0;) {
    text.append(chunk, static_cast<std::size_t>(n));
  }
  ::close(fds[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? text : "child failed";
}

std::vector<std::string> Entries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder)) {
    names.push_back(e.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

const std::string kOld = "START-OF-LOG: 3.0\r\nthe operator's previous good log\r\nEND-OF-LOG:\r\n";
const std::string kNew(64 * 1024, 'Q');

TEST(ReplaceFile, AFailureAtAnyStepLeavesTheOldFileWhole) {
  const struct {
    const char* name;
    ChildLimits limits;
    std::function<void()> arrange;
    const char* reason;
  } cases[] = {
      {"the disk fills part-way", {8 * 1024, false}, [] {}, "File too large"},
      {"the folder is not writable", {RLIM_INFINITY, true},
       [] {
         ::chmod(".", 0755);
         ::chmod("log.cbr", 0666);  // the file itself could be written
       },
       "Permission denied"},
      {"the target is read-only", {RLIM_INFINITY, false},
       [] { ::chmod("log.cbr", 0444); }, "the file is read-only"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    WriteBytes("log.cbr", kOld);
    c.arrange();
    EXPECT_EQ(c.reason, InChild(c.limits, [] { return ReplaceFileContents("log.cbr", kNew); }));
    EXPECT_EQ(kOld, ReadBytes("log.cbr"));
    EXPECT_EQ(std::vector<std::string>{"log.cbr"}, Entries("."));
  }
}

TEST(ReplaceFile, AFolderUnderTheNameStaysAFolder) {
  TempFolder folder;
  std::filesystem::create_directory("log.cbr");
  const Status status = ReplaceFileContents("log.cbr", kNew);
  ASSERT_FALSE(status);
  EXPECT_EQ("is a folder", status.error());
  EXPECT_TRUE(IsFolder("log.cbr"));
  EXPECT_EQ(std::vector<std::string>{"log.cbr"}, Entries("."));
}

TEST(ReplaceFile, KeepsTheModeAndWritesThroughALink) {
  TempFolder folder;
  std::filesystem::create_directory("real");
  WriteBytes("real/log.cbr", kOld);
  ::chmod("real/log.cbr", 0640);
  std::filesystem::create_symlink("real/log.cbr", "link.cbr");
  ASSERT_TRUE(ReplaceFileContents("link.cbr", kNew));
  EXPECT_TRUE(std::filesystem::is_symlink("link.cbr"));
  EXPECT_EQ(kNew, ReadBytes("real/log.cbr"));
  struct stat st;
  ASSERT_EQ(0, ::stat("real/log.cbr", &st));
  EXPECT_EQ(0640u, st.st_mode & 07777);
  EXPECT_EQ(std::vector<std::string>{"log.cbr"}, Entries("real"));
}

// The settings file through the POSIX platform, which edits it in memory
// and puts the whole new text in place with the same function.
class SettingsFile : public ::testing::Test {
 protected:
  TempFolder folder;
  std::FILE* notices = std::tmpfile();
  PosixPlatform platform{stdin, notices};
  const std::vector<ProfileEntry> dialog = {{"Operators", "RK3AXW"}, {"Name", "Andrei"},
                                            {"Email", std::string(16 * 1024, 'e')}};

  void SetUp() override { std::filesystem::create_directory("Plugins"); }
  void TearDown() override { std::fclose(notices); }
  Status Save() { return platform.WriteProfileStrings("Plugins\\VARNO.ini", "Settings", dialog); }
};

TEST_F(SettingsFile, ARewriteThatFailsPartWayKeepsEveryKey) {
  const std::string old = "[Other]\r\nKeep=1\r\n[Settings]\r\nClub=MRC\r\nClaimed=561\r\n";
  WriteBytes("Plugins/VARNO.ini", old);
  EXPECT_EQ("File too large", InChild({4 * 1024, false}, [this] { return Save(); }));
  EXPECT_EQ(old, ReadBytes("Plugins/VARNO.ini"));
  EXPECT_EQ(std::vector<std::string>{"VARNO.ini"}, Entries("Plugins"));
}

TEST_F(SettingsFile, AFileThatCannotBeReadIsNeverRewritten) {
  const std::string old = "[Settings]\r\nClub=MRC\r\n";
  WriteBytes("Plugins/VARNO.ini", old);
  ::chmod("Plugins/VARNO.ini", 0600);
  ::chmod(".", 0755);
  ::chmod("Plugins", 0777);  // the writer could replace it, but must not
  EXPECT_EQ("cannot be read: Permission denied",
            InChild({RLIM_INFINITY, true}, [this] { return Save(); }));
  EXPECT_EQ(old, ReadBytes("Plugins/VARNO.ini"));
  EXPECT_EQ(std::vector<std::string>{"VARNO.ini"}, Entries("Plugins"));
}

std::string Utf16(const std::string& ascii, bool littleEndian) {
  std::string out = littleEndian ? "\xFF\xFE" : "\xFE\xFF";
  for (char c : ascii) {
    out += littleEndian ? std::string{c, '\0'} : std::string{'\0', c};
  }
  return out;
}

TEST_F(SettingsFile, AUtf16FileStaysUtf16WithItsOtherKeys) {
  for (const bool littleEndian : {true, false}) {
    // "Name" holds Cyrillic text and a character the code page lacks (U+2605).
    std::string old = Utf16("[Settings]\r\nClub=MRC\r\nName=", littleEndian);
    old += littleEndian ? std::string("\x18\x04\x05\x26", 4) : std::string("\x04\x18\x26\x05", 4);
    old += Utf16("\r\n", littleEndian).substr(2);
    WriteBytes("Plugins/VARNO.ini", old);
    // Read in the ANSI code page: И is 0xC8, the star has no byte.
    EXPECT_EQ("\xC8?", platform.ReadProfileString("Plugins\\VARNO.ini", "Settings", "Name", "",
                                                  10000));
    ASSERT_TRUE(platform.WriteProfileStrings("Plugins\\VARNO.ini", "Settings",
                                             {{"Claimed", "561"}, {"Club", "\xCC"}}));
    std::string expected = Utf16("[Settings]\r\nClub=", littleEndian);
    expected += littleEndian ? std::string("\x1C\x04", 2) : std::string("\x04\x1C", 2);  // М
    expected += Utf16("\r\nName=", littleEndian).substr(2);
    expected += old.substr(old.size() - 8, 4);  // the name, star and all
    expected += Utf16("\r\nClaimed=561\r\n", littleEndian).substr(2);
    EXPECT_EQ(expected, ReadBytes("Plugins/VARNO.ini")) << (littleEndian ? "LE" : "BE");
  }
}

}  // namespace
}  // namespace rezov::hostile
