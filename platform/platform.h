// Everything the module needs from the operating system, behind one small
// interface. The core never includes an OS header: it talks to a Platform.
// One backend per OS lives beside this file; tests supply their own.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/ole_date.h"
#include "platform/profile_file.h"
#include "platform/result.h"

namespace rezov {

class SetupDialog;

// One reading of the UTC clock: all the call check needs of it.
struct UtcTime {
  int hour = 0;
  int minute = 0;
};

// Who owns a message box: nobody, or the active window of the calling thread
// (the host's window while it is logging).
enum class MessageOwner { kNone, kActiveWindow };

// Message box styles the module uses.
constexpr unsigned kMessageOk = 0x00;
constexpr unsigned kMessageWarning = 0x30;
constexpr unsigned kMessageInformation = 0x40;

// Results of showing the setup dialog.
constexpr int kDialogOk = 1;
constexpr int kDialogCancel = 2;
constexpr int kDialogNotShown = -1;

class Platform {
 public:
  virtual ~Platform() = default;

  virtual UtcTime UtcNow() = 0;

  // The date rendered as the user's regional settings render it (date, a
  // blank and the time of day; the date alone at midnight; the time alone
  // on day zero). Empty for a null or invalid date.
  virtual std::string DateText(const OleDate& date) = 0;

  // Profile (INI) file access with the Windows semantics: a value is read
  // through a buffer of `bufferSize` bytes and so comes back cut to
  // bufferSize - 1 bytes; `fallback` is returned when the key is absent.
  // `file` is a relative path written with backslashes.
  virtual std::string ReadProfileString(const std::string& file,
                                        const std::string& section,
                                        const std::string& key,
                                        const std::string& fallback,
                                        std::size_t bufferSize) = 0;
  // Sets every entry of `section`, in order, as one change of the file:
  // either all of them reach it or, on failure, the file stays byte for byte
  // as it was, every other section and key with it. A file that exists but
  // cannot be read whole is never rewritten.
  virtual Status WriteProfileStrings(const std::string& file, const std::string& section,
                                     const std::vector<ProfileEntry>& entries) = 0;

  // Starts a program detached, with the window shown normally; never waits.
  virtual void StartProgram(const std::string& commandLine) = 0;

  // A modal notice; returns when the user has closed it. No caption means
  // the system's default caption.
  virtual void ShowMessage(MessageOwner owner, const std::string& text,
                           const std::optional<std::string>& caption,
                           unsigned style) = 0;

  // Shows the setup dialog modally with no owner window: fills the controls
  // from `dialog`, and on OK stores the edited texts back into it. Returns
  // kDialogOk, kDialogCancel or kDialogNotShown.
  virtual int ShowSetupDialog(SetupDialog& dialog) = 0;

  // Reads the whole file; creates it empty first when it does not exist.
  // Empty when it can be neither read nor created. A read error after the
  // first bytes ends the bytes at that point on Windows, and gives empty on
  // POSIX.
  virtual std::optional<std::string> ReadOrCreateFile(const std::string& path) = 0;

  // Replaces the file with `bytes`, whole or not at all, as
  // ReplaceFileContents does (platform/replace_file.h); `path` is a relative
  // path written with backslashes.
  virtual Status WriteWholeFile(const std::string& path, const std::string& bytes) = 0;
};

// The operations above as a backend declares them, said once for every
// backend: the class of a backend writes REZOV_PLATFORM_OPERATIONS in its
// public part and defines each of them.
#define REZOV_PLATFORM_OPERATIONS                                                          \
  UtcTime UtcNow() override;                                                               \
  std::string DateText(const OleDate& date) override;                                      \
  std::string ReadProfileString(const std::string& file, const std::string& section,       \
                                const std::string& key, const std::string& fallback,       \
                                std::size_t bufferSize) override;                          \
  Status WriteProfileStrings(const std::string& file, const std::string& section,          \
                             const std::vector<ProfileEntry>& entries) override;           \
  void StartProgram(const std::string& commandLine) override;                              \
  void ShowMessage(MessageOwner owner, const std::string& text,                            \
                   const std::optional<std::string>& caption, unsigned style) override;    \
  int ShowSetupDialog(SetupDialog& dialog) override;                                       \
  std::optional<std::string> ReadOrCreateFile(const std::string& path) override;           \
  Status WriteWholeFile(const std::string& path, const std::string& bytes) override;

}  // namespace rezov
