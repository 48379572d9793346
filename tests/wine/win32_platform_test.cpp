// The Win32 backend on its own, linked into this program together with the
// dialog template: date text, profile files, whole files, message boxes,
// the companion start, and the setup dialog driven from a second thread.
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "platform/win32/module_instance.h"
#include "platform/win32/setup_dialog_window.h"
#include "platform/win32/win32_headers.h"
#include "platform/win32/win32_platform.h"
#include "resources/rezov_resource.h"
#include "platform/setup_dialog.h"
#include "tests/wine/check.h"
#include "tests/wine/temp_folder.h"
#include "tests/wine/window_robot.h"

namespace rezov {
namespace {

Win32Platform g_platform;

OleDate Date(double value, std::int32_t status = kOleDateValid) { return OleDate{value, status}; }

// Run with LC_ALL=ru_RU.UTF-8: the user's format is day.month.year.
void DateTextRussianGroup() {
  const struct {
    OleDate date;
    const char* text;
  } cases[] = {
      {Date(40973.0), "05.03.2012"},
      {Date(40973.0 + 19.0 / 24), "05.03.2012 19:00:00"},
      {Date(19.0 / 24), "19:00:00"},
      {Date(0.0), "00:00:00"},
      {Date(40973.0, kOleDateInvalid), ""},
      {Date(40973.0, kOleDateNull), ""},
      {Date(1e10), ""},  // far beyond the year 9999: refused
      {Date(std::numeric_limits<double>::quiet_NaN()), ""},
  };
  for (const auto& c : cases) CHECK_EQ(std::string(c.text), g_platform.DateText(c.date));
}

// Run with LC_ALL=en_US.UTF-8: the same dates as an American user sees them.
void DateTextAmericanGroup() {
  CHECK_EQ(std::string("3/5/2012"), g_platform.DateText(Date(40973.0)));
  CHECK_EQ(std::string("3/5/2012 7:00:00 PM"), g_platform.DateText(Date(40973.0 + 19.0 / 24)));
  CHECK_EQ(std::string("12:00:00 AM"), g_platform.DateText(Date(0.0)));
}

void UtcNowGroup() {
  SYSTEMTIME before, after;
  GetSystemTime(&before);
  const UtcTime now = g_platform.UtcNow();
  GetSystemTime(&after);
  CHECK((now.hour == before.wHour && now.minute == before.wMinute) ||
        (now.hour == after.wHour && now.minute == after.wMinute));
}

std::string Read(const std::string& key, const std::string& fallback,
                 std::size_t size = 10000) {
  return g_platform.ReadProfileString("Plugins\\VARNO.ini", "Settings", key, fallback, size);
}

bool Write(const std::string& key, const std::string& value) {
  return static_cast<bool>(
      g_platform.WriteProfileStrings("Plugins\\VARNO.ini", "Settings", {{key, value}}));
}

// Another process that holds a file open with the given sharing: for a
// while, or until the holder object goes.
class Holder {
 public:
  Holder(const std::string& path, DWORD share, DWORD milliseconds) {
    const HANDLE held = CreateEventA(nullptr, TRUE, FALSE, kHeldEvent);
    char program[MAX_PATH] = {0};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string command = "\"" + std::string(program) + "\" hold " + path + " " +
                          std::to_string(share) + " " + std::to_string(milliseconds);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    CHECK(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                         &startup, &process_));
    CHECK_EQ(DWORD{WAIT_OBJECT_0}, WaitForSingleObject(held, 20000));
    CloseHandle(held);
  }
  ~Holder() {
    WaitForSingleObject(process_.hProcess, 30000);
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
  }

  static constexpr const char* kHeldEvent = "RezovTestFileHeld";

 private:
  PROCESS_INFORMATION process_{};
};

// The holder's side, run as "hold PATH SHARE MILLISECONDS".
int HoldFile(const std::string& path, DWORD share, DWORD milliseconds) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  const HANDLE held = OpenEventA(EVENT_MODIFY_STATE, FALSE, Holder::kHeldEvent);
  if (file == INVALID_HANDLE_VALUE || !held) return 1;
  SetEvent(held);
  Sleep(milliseconds);
  CloseHandle(file);
  return 0;
}

void ProfileGroup() {
  TempFolder folder;
  // No file: the fallback comes back as given, blanks and all, cut to the
  // buffer.
  CHECK_EQ(std::string("R3XX "), Read("Operators", "R3XX "));
  CHECK_EQ(std::string(" x\t"), Read("Operators", " x\t"));
  CHECK_EQ(std::string(""), Read("Operators", ""));
  CHECK_EQ(std::string("ABCD"), Read("Operators", "ABCDEFG", 5));
  CHECK_EQ(std::string(""), Read("Operators", "ABCDEFG", 1));
  CHECK_EQ(std::string(""), Read("Operators", "ABCDEFG", 0));
  CHECK_EQ(std::vector<std::string>{}, FolderEntries("Plugins"));

  // A key that is there with an empty value is not absent.
  CHECK(Write("Operators", ""));
  CHECK_EQ(std::string(""), Read("Operators", "R3XX"));
  CHECK(Write("Name", "Ivan"));
  CHECK(Write("Odd", "\x01"));
  CHECK_EQ(std::string("Ivan"), Read("Name", "fallback"));
  CHECK_EQ(std::string("Iv"), Read("Name", "fallback", 3));
  CHECK_EQ(std::string("\x01"), Read("Odd", "fallback"));
  CHECK_EQ(std::string("fallback"), Read("Missing", "fallback"));
  CHECK_EQ(std::optional<std::string>("[Settings]\r\nOperators=\r\nName=Ivan\r\nOdd=\x01\r\n"),
           ReadBytes("Plugins\\VARNO.ini"));

  // Values come back through the buffer: 9,999 bytes of 12,000.
  const std::string longValue(12000, 'v');
  CHECK(Write("Long", longValue));
  CHECK_EQ(longValue.substr(0, 9999), Read("Long", ""));

  // With its folder missing the file is not created.
  CHECK(!g_platform.WriteProfileStrings("NoFolder\\VARNO.ini", "Settings", {{"Name", "x"}}));
  CHECK(GetFileAttributesA("NoFolder") == INVALID_FILE_ATTRIBUTES);

  // A write that cannot be finished leaves the file byte for byte: one
  // marked read-only, one that another program holds open exclusively.
  const std::optional<std::string> before = ReadBytes("Plugins\\VARNO.ini");
  CHECK(SetFileAttributesA("Plugins\\VARNO.ini", FILE_ATTRIBUTE_READONLY));
  CHECK(!Write("Name", "Petr"));
  CHECK(SetFileAttributesA("Plugins\\VARNO.ini", FILE_ATTRIBUTE_NORMAL));
  {
    Holder exclusive("Plugins\\VARNO.ini", 0, 1500);
    CHECK(!Write("Name", "Petr"));
  }
  CHECK_EQ(before, ReadBytes("Plugins\\VARNO.ini"));
  CHECK_EQ(std::vector<std::string>{"VARNO.ini"}, FolderEntries("Plugins"));

  // A UTF-16 file stays UTF-16, its other keys with it.
  const std::string utf16("\xFF\xFE[\0S\0]\0\r\0\n\0K\0=\0\x18\x04\r\0\n\0", 22);
  CHECK(WriteBytes("Plugins\\VARNO.ini", utf16));
  CHECK(Write("Claimed", "7"));
  CHECK_EQ(std::optional<std::string>(
               utf16 + std::string("[\0S\0e\0t\0t\0i\0n\0g\0s\0]\0\r\0\n\0"
                                   "C\0l\0a\0i\0m\0e\0d\0=\0007\0\r\0\n\0", 46)),
           ReadBytes("Plugins\\VARNO.ini"));
  CHECK_EQ(std::string("\xC8"), g_platform.ReadProfileString("Plugins\\VARNO.ini", "S", "K", "",
                                                             10000));
}

void FilesGroup() {
  TempFolder folder;
  // Reading creates a missing file empty.
  CHECK_EQ(std::optional<std::string>(""), g_platform.ReadOrCreateFile("cabrillo.ini"));
  CHECK_EQ(std::optional<std::string>(""), ReadBytes("cabrillo.ini"));
  const std::string binary("a\r\nb\0c\n\xFF", 9);
  CHECK(WriteBytes("cabrillo.ini", binary));
  CHECK_EQ(std::optional<std::string>(binary), g_platform.ReadOrCreateFile("cabrillo.ini"));
  CHECK_EQ(std::optional<std::string>(), g_platform.ReadOrCreateFile("Plugins"));
  CHECK_EQ(std::optional<std::string>(), g_platform.ReadOrCreateFile("NoFolder\\cabrillo.ini"));
  CHECK(GetFileAttributesA("NoFolder") == INVALID_FILE_ATTRIBUTES);

  const std::vector<std::string> before = FolderEntries(".");
  CHECK(g_platform.WriteWholeFile("R3XX.cbr", "first, longer\r\n"));
  CHECK(g_platform.WriteWholeFile("R3XX.cbr", "second\r\n"));
  CHECK_EQ(std::optional<std::string>("second\r\n"), ReadBytes("R3XX.cbr"));
  const std::vector<std::string> withLog = FolderEntries(".");
  CHECK_EQ(before.size() + 1, withLog.size());

  // Protected targets stay as they were, and no temporary file is left.
  CHECK(SetFileAttributesA("R3XX.cbr", FILE_ATTRIBUTE_READONLY));
  CHECK(!g_platform.WriteWholeFile("R3XX.cbr", "third\r\n"));
  SetFileAttributesA("R3XX.cbr", FILE_ATTRIBUTE_NORMAL);
  CHECK_EQ(std::optional<std::string>("second\r\n"), ReadBytes("R3XX.cbr"));
  CHECK(!g_platform.WriteWholeFile("Plugins", "x"));
  CHECK(GetFileAttributesA("Plugins") & FILE_ATTRIBUTE_DIRECTORY);
  CHECK(!g_platform.WriteWholeFile("NoFolder\\R3XX.cbr", "x"));
  CHECK_EQ(withLog, FolderEntries("."));
  CHECK_EQ(std::vector<std::string>{}, FolderEntries("Plugins"));

  // More than one write call's worth.
  std::string big(3 * 1024 * 1024 + 17, '\0');
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7);
  CHECK(g_platform.WriteWholeFile("R3XX.cbr", big));
  CHECK(ReadBytes("R3XX.cbr") == big);

  // Another program holding the file open without letting it be deleted:
  // tried again for about a second, then given up, the old file whole.
  {
    Holder holder("R3XX.cbr", FILE_SHARE_READ | FILE_SHARE_WRITE, 3000);
    const Status status = g_platform.WriteWholeFile("R3XX.cbr", "blocked\r\n");
    CHECK(!status);
    CHECK(!status.error().empty());
  }
  CHECK(ReadBytes("R3XX.cbr") == big);
  CHECK_EQ(withLog, FolderEntries("."));
  // One that lets go within the second: the write goes through.
  {
    Holder briefly("R3XX.cbr", FILE_SHARE_READ | FILE_SHARE_WRITE, 300);
    CHECK(g_platform.WriteWholeFile("R3XX.cbr", "after the wait\r\n"));
  }
  CHECK_EQ(std::optional<std::string>("after the wait\r\n"), ReadBytes("R3XX.cbr"));

  // Even a reader that allows everything keeps the name taken while its
  // handle is open: no in-place rewrite, the old file stays whole.
  const HANDLE reader =
      CreateFileA("R3XX.cbr", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  CHECK(reader != INVALID_HANDLE_VALUE);
  CHECK(!g_platform.WriteWholeFile("R3XX.cbr", "while open\r\n"));
  CloseHandle(reader);
  CHECK_EQ(std::optional<std::string>("after the wait\r\n"), ReadBytes("R3XX.cbr"));
  CHECK_EQ(withLog, FolderEntries("."));
}

void StartProgramGroup() {
  TempFolder folder;
  // A program that is not there: nothing happens, nothing is reported.
  g_platform.StartProgram(".\\Plugins\\Korbix.exe");
  CHECK(CopyFileA((ProgramFolder() + "\\rezov_korbix_stub.exe").c_str(), "Plugins\\Korbix.exe",
                  FALSE));
  g_platform.StartProgram(".\\Plugins\\Korbix.exe");
  CHECK(WaitUntil([] { return ReadBytes("korbix-started.txt").has_value(); }, 20000));
  Sleep(300);
  CHECK_EQ(std::optional<std::string>("started show=1\r\n"), ReadBytes("korbix-started.txt"));
}

MessageBoxView ShowAndRead(MessageOwner owner, const std::string& text,
                           const std::optional<std::string>& caption, unsigned style) {
  Autopilot operatorThread(GetCurrentThreadId(), {});
  g_platform.ShowMessage(owner, text, caption, style);
  operatorThread.Stop();
  CHECK_EQ(std::size_t{1}, operatorThread.messages().size());
  return operatorThread.messages().empty() ? MessageBoxView{} : operatorThread.messages()[0];
}

void MessagesGroup() {
  CHECK(GetActiveWindow() == nullptr);
  MessageBoxView box = ShowAndRead(MessageOwner::kActiveWindow, "no window yet", "Output", 0x40);
  CHECK(box.owner == nullptr);
  box = ShowAndRead(MessageOwner::kNone, "No additional setup", std::nullopt, kMessageOk);
  CHECK_EQ(DefaultMessageCaption(), box.caption);
  CHECK(!box.caption.empty() && box.caption != "Output");
  CHECK_EQ(std::string("No additional setup"), box.text);
  CHECK_EQ(unsigned{MB_OK}, box.style);

  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "RezovOwner";
  RegisterClassA(&wc);
  const HWND window = CreateWindowExA(0, "RezovOwner", "Lunt", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                      0, 0, 200, 100, nullptr, nullptr, wc.hInstance, nullptr);
  SetForegroundWindow(window);
  SetActiveWindow(window);
  CHECK(GetActiveWindow() == window);
  box = ShowAndRead(MessageOwner::kActiveWindow, "File not produced: X.cbr", "Output",
                    kMessageWarning);
  CHECK(box.owner == window);
  CHECK_EQ(std::string("Output"), box.caption);
  CHECK_EQ(std::string("File not produced: X.cbr"), box.text);
  CHECK_EQ(unsigned{MB_ICONWARNING}, box.style);
  SetActiveWindow(window);
  box = ShowAndRead(MessageOwner::kNone, "not owned", "Output", kMessageInformation);
  CHECK(box.owner == nullptr);
  CHECK_EQ(unsigned{MB_ICONINFORMATION}, box.style);
  DestroyWindow(window);
}

// Shows the dialog on this thread while `operate` acts on it from another.
int ShowDialog(SetupDialog& dialog, const std::function<void(HWND dialog, DWORD host)>& operate) {
  const DWORD host = GetCurrentThreadId();
  HelperThread operatorThread([&operate, host] {
    const HWND window = WaitForThreadDialog(host, kSetupDialogCaption);
    CHECK(window != nullptr);
    if (!window) return;
    operate(window, host);
    if (!WaitUntilClosed(window)) {
      ReportFailure(__FILE__, __LINE__, "the dialog stayed open");
      PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    }
  });
  return g_platform.ShowSetupDialog(dialog);
}

void PostButton(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// The template as the operator must get it, control by control in
// template order: window class atom, id, text, place in dialog units, the
// styles it must have and the styles it must not have.
struct ExpectedControl {
  WORD classAtom;
  WORD id;
  const char* text;
  short x, y, width, height;
  DWORD required;
  DWORD forbidden;
};

constexpr WORD kButton = 0x80;
constexpr WORD kEdit = 0x81;
constexpr WORD kStatic = 0x82;
constexpr WORD kComboBox = 0x85;
constexpr WORD kNoId = 0xFFFF;  // IDC_STATIC as the template stores it
constexpr DWORD kShown = WS_CHILD | WS_VISIBLE;
constexpr DWORD kMultiLine = kShown | WS_BORDER | ES_MULTILINE | ES_AUTOVSCROLL |
                             ES_WANTRETURN | WS_VSCROLL;
constexpr DWORD kWraps = ES_AUTOHSCROLL | WS_HSCROLL;
constexpr DWORD kLine = kShown | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD kDropDown = kShown | CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP;
constexpr DWORD kLabel = kShown | SS_LEFT;
constexpr DWORD kNotLabel = WS_GROUP | WS_TABSTOP | SS_TYPEMASK;

const ExpectedControl kTemplate[] = {
    {kButton, kNoId, "Static", 5, 0, 246, 294, WS_CHILD | BS_GROUPBOX, WS_VISIBLE | WS_TABSTOP},
    {kEdit, 1001, "", 55, 192, 193, 31, kMultiLine | WS_TABSTOP, kWraps},
    {kEdit, 1002, "", 55, 125, 191, 26, kMultiLine, kWraps | WS_TABSTOP},
    {kButton, 2, "CANCEL", 147, 254, 46, 21, kShown | BS_PUSHBUTTON, WS_TABSTOP | BS_TYPEMASK},
    {kButton, 1, "OK", 80, 254, 51, 21, kShown | BS_PUSHBUTTON, WS_TABSTOP | BS_TYPEMASK},
    {kEdit, 1004, "", 57, 228, 191, 12, kLine, WS_TABSTOP | ES_MULTILINE},
    {kEdit, 1005, "", 55, 174, 191, 12, kLine, WS_TABSTOP | ES_MULTILINE},
    {kEdit, 1006, "", 55, 156, 191, 12, kLine, WS_TABSTOP | ES_MULTILINE},
    {kEdit, 1007, "", 55, 109, 191, 12, kLine, WS_TABSTOP | ES_MULTILINE},
    {kEdit, 1008, "", 184, 23, 61, 12, kLine, WS_TABSTOP | ES_MULTILINE},
    {kEdit, 1009, "", 55, 9, 190, 12, kLine, WS_TABSTOP | ES_MULTILINE},
    {kEdit, 1010, "", 55, 23, 88, 12, kLine, WS_TABSTOP | ES_MULTILINE},
    {kStatic, kNoId, "E-MAIL", 15, 230, 36, 16, kLabel, kNotLabel},
    {kStatic, kNoId, "SOAPBOX", 10, 207, 35, 16, kLabel, kNotLabel},
    {kStatic, kNoId, "CLUB", 10, 177, 33, 16, kLabel, kNotLabel},
    {kStatic, kNoId, "OPERATORS", 10, 158, 45, 11, kLabel, kNotLabel},
    {kStatic, kNoId, "ADDRESS", 10, 135, 41, 16, kLabel, kNotLabel},
    {kStatic, kNoId, "NAME", 10, 110, 37, 11, kLabel, kNotLabel},
    {kStatic, kNoId, "CLAIMED", 149, 25, 31, 11, kLabel, kNotLabel},
    {kStatic, kNoId, "CATEGORY-OPERATOR", 9, 40, 82, 11, kLabel, kNotLabel},
    {kStatic, kNoId, "CONTEST", 10, 10, 36, 11, kLabel, kNotLabel},
    {kStatic, kNoId, "CALLSIGN", 9, 25, 39, 11, kLabel, kNotLabel},
    {kComboBox, 1013, "", 94, 37, 104, 107, kDropDown, CBS_SORT | CBS_AUTOHSCROLL},
    {kStatic, kNoId, "CATEGORY-BAND", 9, 54, 82, 11, kLabel, kNotLabel},
    {kComboBox, 1014, "", 94, 50, 104, 43, kDropDown, CBS_SORT | CBS_AUTOHSCROLL},
    {kStatic, kNoId, "CATEGORY-POWER", 10, 69, 82, 11, kLabel, kNotLabel},
    {kComboBox, 1015, "", 94, 66, 104, 56, kDropDown | CBS_SORT, CBS_AUTOHSCROLL},
    {kStatic, kNoId, "CATEGORY-OVERLAY", 10, 82, 82, 11, kLabel, kNotLabel},
    {kComboBox, 1016, "", 94, 80, 104, 48, kDropDown | CBS_SORT, CBS_AUTOHSCROLL},
    {kStatic, kNoId, "LOCATION", 10, 96, 78, 8, kLabel | WS_GROUP, WS_TABSTOP | SS_TYPEMASK},
    {kEdit, 1018, "", 94, 93, 32, 13, kLine | WS_TABSTOP, ES_MULTILINE},
};
constexpr std::size_t kControlCount = sizeof kTemplate / sizeof kTemplate[0];

// Reads a DIALOG template as it lies in the resources.
class TemplateReader {
 public:
  explicit TemplateReader(const void* data) : at_(static_cast<const BYTE*>(data)) {}
  WORD Word() {
    WORD w;
    std::memcpy(&w, at_, sizeof w);
    at_ += sizeof w;
    return w;
  }
  DWORD Dword() {
    DWORD d;
    std::memcpy(&d, at_, sizeof d);
    at_ += sizeof d;
    return d;
  }
  short Short() { return static_cast<short>(Word()); }
  // A zero-terminated UTF-16 text of ASCII characters.
  std::string Text() {
    std::string text;
    for (WORD c = Word(); c != 0; c = Word()) text += static_cast<char>(c);
    return text;
  }
  // A name or ordinal: 0xFFFF and a number, or a text.
  std::string NameOrOrdinal(WORD& ordinal) {
    ordinal = 0;
    WORD first;
    std::memcpy(&first, at_, sizeof first);
    if (first == 0xFFFF) {
      Word();
      ordinal = Word();
      return std::string();
    }
    return Text();
  }
  void AlignToDword(const void* base) {
    const std::size_t offset = static_cast<std::size_t>(at_ - static_cast<const BYTE*>(base));
    at_ += (4 - offset % 4) % 4;
  }
  void Skip(std::size_t bytes) { at_ += bytes; }

 private:
  const BYTE* at_;
};

std::string Hex(DWORD value) {
  char text[16];
  std::snprintf(text, sizeof text, "%08lX", static_cast<unsigned long>(value));
  return text;
}

void CheckTemplateItem(TemplateReader& r, const void* base, const ExpectedControl& want) {
  r.AlignToDword(base);
  const DWORD style = r.Dword();
  r.Dword();  // extended style
  const short x = r.Short(), y = r.Short(), cx = r.Short(), cy = r.Short();
  const WORD id = r.Word();
  WORD atom = 0;
  const std::string className = r.NameOrOrdinal(atom);
  WORD textOrdinal = 0;
  const std::string text = r.NameOrOrdinal(textOrdinal);
  r.Skip(r.Word());
  const std::string where = " (control " + std::to_string(want.id) + " " + want.text + ")";
  CHECK_EQ(want.classAtom, atom);
  CHECK_EQ(want.id, id);
  CHECK_EQ(std::string(want.text), text);
  if (x != want.x || y != want.y || cx != want.width || cy != want.height) {
    ReportFailure(__FILE__, __LINE__, "at " + std::to_string(x) + "," + std::to_string(y) +
                                          " size " + std::to_string(cx) + "x" +
                                          std::to_string(cy) + where);
  }
  const DWORD kindMask = want.classAtom == kButton ? BS_TYPEMASK
                         : want.classAtom == kStatic ? SS_TYPEMASK
                         : want.classAtom == kComboBox ? 0x3u
                                                       : 0u;
  const bool kindOk = (style & kindMask) == (want.required & kindMask);
  if (!kindOk || (style & want.required) != want.required ||
      (style & want.forbidden & ~kindMask) != 0) {
    ReportFailure(__FILE__, __LINE__, "style " + Hex(style) + where);
  }
}

// The template itself: header, font, language and every control.
void TemplateResourceGroup() {
  const HMODULE self = ModuleInstance();
  const HRSRC found = FindResourceExA(self, MAKEINTRESOURCEA(5),
                                      MAKEINTRESOURCEA(IDD_SETUP_DIALOG),
                                      MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT));
  CHECK(found != nullptr);
  if (!found) return;
  CHECK_EQ(1049, MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT));
  const void* base = LockResource(LoadResource(self, found));
  TemplateReader r(base);
  const DWORD style = r.Dword();
  CHECK_EQ(Hex(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX |
               DS_MODALFRAME | DS_SETFONT),
           Hex(style));
  r.Dword();
  const WORD count = r.Word();
  CHECK_EQ(kControlCount, std::size_t{count});
  const short x = r.Short(), y = r.Short(), cx = r.Short(), cy = r.Short();
  CHECK_EQ(3, x);
  CHECK_EQ(1, y);
  CHECK_EQ(255, cx);
  CHECK_EQ(294, cy);
  WORD ordinal = 0;
  CHECK_EQ(std::string(), r.NameOrOrdinal(ordinal));  // no menu
  CHECK_EQ(std::string(), r.NameOrOrdinal(ordinal));  // the standard dialog class
  CHECK_EQ(std::string(kSetupDialogCaption), r.Text());
  CHECK_EQ(8, r.Word());
  CHECK_EQ(std::string("MS Sans Serif"), r.Text());
  for (std::size_t i = 0; i < count && i < kControlCount; ++i) {
    CheckTemplateItem(r, base, kTemplate[i]);
  }
}

RECT InDialog(HWND dialog, HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

const char* ClassName(WORD atom) {
  switch (atom) {
    case kButton: return "Button";
    case kEdit: return "Edit";
    case kStatic: return "Static";
    default: return "ComboBox";
  }
}

// A control of the open dialog where the template puts it.
void CheckLiveControl(HWND dialog, HWND control, const ExpectedControl& want) {
  const std::string where = " (control " + std::to_string(want.id) + " " + want.text + ")";
  if (ClassOf(control) != ClassName(want.classAtom) ||
      static_cast<WORD>(GetDlgCtrlID(control)) != want.id ||
      (want.classAtom != kComboBox && WindowText(control) != want.text)) {
    ReportFailure(__FILE__, __LINE__, "found " + ClassOf(control) + " " +
                                          std::to_string(GetDlgCtrlID(control)) + " \"" +
                                          WindowText(control) + "\"" + where);
    return;
  }
  // Places and sizes are converted separately, as the dialog manager does.
  RECT want_rect = {want.x, want.y, want.width, want.height};
  MapDialogRect(dialog, &want_rect);
  const RECT got = InDialog(dialog, control);
  const bool sized = got.left == want_rect.left && got.top == want_rect.top &&
                     got.right - got.left == want_rect.right;
  // A combo box is as high as its edit part; the template's height is the
  // opened list's.
  if (!sized || (want.classAtom != kComboBox && got.bottom - got.top != want_rect.bottom)) {
    ReportFailure(__FILE__, __LINE__,
                  "placed at " + std::to_string(got.left) + "," + std::to_string(got.top) +
                      " size " + std::to_string(got.right - got.left) + "x" +
                      std::to_string(got.bottom - got.top) + where);
  }
  if (want.classAtom == kComboBox) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    CHECK(GetComboBoxInfo(control, &info));
    // The edit part; the list's scroll bar comes and goes with its items,
    // so the template check above covers WS_VSCROLL.
    CHECK(info.hwndItem != nullptr && ClassOf(info.hwndItem) == "Edit");
  }
}

std::vector<std::string> ListItems(HWND combo) {
  std::vector<std::string> items;
  const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    char text[256] = "";
    SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    items.push_back(text);
  }
  return items;
}

void ExamineOpenDialog(HWND dialog) {
  CHECK_EQ(std::string(kSetupDialogCaption), WindowText(dialog));
  CHECK(GetWindow(dialog, GW_OWNER) == nullptr);
  RECT client;
  GetClientRect(dialog, &client);
  RECT size = {0, 0, 255, 294};
  MapDialogRect(dialog, &size);
  CHECK_EQ(size.right, client.right);
  CHECK_EQ(size.bottom, client.bottom);
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
  CHECK_EQ(std::string("MS Sans Serif"), std::string(font.lfFaceName));

  std::size_t index = 0;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (index < kControlCount) CheckLiveControl(dialog, child, kTemplate[index]);
    ++index;
  }
  CHECK_EQ(kControlCount, index);

  for (const DialogFieldInfo& info : DialogFields()) {
    if (info.kind != ControlKind::kCombo) continue;
    CHECK_EQ(ComboShownOrder(info.field), ListItems(GetDlgItem(dialog, info.controlId)));
  }
  CHECK_EQ((std::vector<std::string>{"MOST", "SO", "SO160", "SO80"}),
           ListItems(GetDlgItem(dialog, IDC_CATEGORY_OVERLAY)));
  CHECK_EQ((std::vector<std::string>{"HIGH", "LOW"}),
           ListItems(GetDlgItem(dialog, IDC_CATEGORY_POWER)));
  CHECK_EQ((std::vector<std::string>{"ALL", "160", "80"}),
           ListItems(GetDlgItem(dialog, IDC_CATEGORY_BAND)));
  CHECK_EQ((std::vector<std::string>{"SINGLE-OP", "MULTI-OP"}),
           ListItems(GetDlgItem(dialog, IDC_CATEGORY_OPERATOR)));
  PostButton(dialog, IDCANCEL);
}

void OpenDialogGroup() {
  SetupDialog dialog;
  CHECK_EQ(kDialogCancel,
           ShowDialog(dialog, [](HWND window, DWORD) { ExamineOpenDialog(window); }));
}

SetupDialog FilledDialog() {
  SetupDialog d;
  d.setText(DialogField::kCallSign, "UA3ABC/P");
  d.setText(DialogField::kClaimed, "12");
  d.setText(DialogField::kClub, "Club");
  d.setText(DialogField::kCategoryOperator, "multi");
  d.setText(DialogField::kContest, "MSK");
  d.setText(DialogField::kEmail, "a@b.c");
  d.setText(DialogField::kName, "Name");
  d.setText(DialogField::kOperators, "UA3ABC R3XX");
  d.setText(DialogField::kSoapBox, std::string(12000, 's') + "\r\nend");
  d.setText(DialogField::kAddress, "a\r\nb\r\n");
  d.setText(DialogField::kCategoryBand, "");
  d.setText(DialogField::kCategoryOverlay, "s");
  d.setText(DialogField::kCategoryPower, "XYZ");
  d.setText(DialogField::kLocation, "KO85");
  return d;
}

std::string FullText(HWND control) {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(control)) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(control, &text[0], static_cast<int>(text.size()))));
  return text;
}

void ExchangeGroup() {
  SetupDialog dialog = FilledDialog();
  const std::array<std::string, kDialogFieldCount> shown = ShownTexts(dialog);
  const int result = ShowDialog(dialog, [&shown](HWND window, DWORD) {
    for (const DialogFieldInfo& info : DialogFields()) {
      CHECK_EQ(shown[static_cast<std::size_t>(info.field)],
               FullText(GetDlgItem(window, info.controlId)));
    }
    auto selected = [window](int id) {
      return SendDlgItemMessageA(window, id, CB_GETCURSEL, 0, 0);
    };
    CHECK_EQ(std::string("SO"), WindowText(GetDlgItem(window, IDC_CATEGORY_OVERLAY)));
    CHECK_EQ(LRESULT{1}, selected(IDC_CATEGORY_OVERLAY));
    CHECK_EQ(std::string("MULTI-OP"), WindowText(GetDlgItem(window, IDC_CATEGORY_OPERATOR)));
    CHECK_EQ(LRESULT{1}, selected(IDC_CATEGORY_OPERATOR));
    CHECK_EQ(std::string("XYZ"), WindowText(GetDlgItem(window, IDC_CATEGORY_POWER)));
    CHECK_EQ(LRESULT{CB_ERR}, selected(IDC_CATEGORY_POWER));
    CHECK_EQ(std::string(""), WindowText(GetDlgItem(window, IDC_CATEGORY_BAND)));
    CHECK_EQ(LRESULT{CB_ERR}, selected(IDC_CATEGORY_BAND));
    PostButton(window, IDOK);
  });
  CHECK_EQ(kDialogOk, result);
  for (const DialogFieldInfo& info : DialogFields()) {
    CHECK_EQ(shown[static_cast<std::size_t>(info.field)], dialog.text(info.field));
  }
  CHECK_EQ(std::string("SO"), dialog.text(DialogField::kCategoryOverlay));
}

// Each way of closing the dialog, with what it returns and whether the
// fields took the controls' texts.
void KeysGroup() {
  SetupDialog original = FilledDialog();
  original.setText(DialogField::kSoapBox, "soap\r\nbox");
  auto unchanged = [&original](const SetupDialog& d) {
    for (const DialogFieldInfo& info : DialogFields()) {
      if (d.text(info.field) != original.text(info.field)) return false;
    }
    return true;
  };
  auto focusWindow = [](DWORD host) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(host, &info);
    return info.hwndFocus;
  };
  auto atSoapBox = [](HWND window, DWORD host) {
    CHECK(WaitUntil([&] { return FocusedControlId(host, window) == IDC_SOAPBOX; }));
  };

  SetupDialog d = original;
  CHECK_EQ(kDialogCancel, ShowDialog(d, [&](HWND window, DWORD host) {
             atSoapBox(window, host);
             SetDlgItemTextA(window, IDC_NAME, "edited");
             PressKey(focusWindow(host), VK_ESCAPE);
           }));
  CHECK(unchanged(d));

  CHECK_EQ(kDialogCancel, ShowDialog(d, [&](HWND window, DWORD) {
             SetDlgItemTextA(window, IDC_NAME, "edited");
             PostButton(window, IDCANCEL);
           }));
  CHECK(unchanged(d));

  CHECK_EQ(kDialogCancel, ShowDialog(d, [&](HWND window, DWORD) {
             SetDlgItemTextA(window, IDC_NAME, "edited");
             PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
           }));
  CHECK(unchanged(d));

  // Enter in a single-line edit: LOCATION, the last tab stop.
  CHECK_EQ(kDialogOk, ShowDialog(d, [&](HWND window, DWORD host) {
             atSoapBox(window, host);
             for (int next : {IDC_CATEGORY_OPERATOR, IDC_CATEGORY_BAND, IDC_CATEGORY_POWER,
                              IDC_CATEGORY_OVERLAY, IDC_LOCATION}) {
               CHECK_EQ(next, MoveFocus(host, window, VK_TAB));
             }
             CHECK_EQ(IDC_LOCATION, FocusedControlId(host, window));
             TypeText(focusWindow(host), "KP");
             CHECK(WaitUntil([&] { return WindowText(GetDlgItem(window, IDC_LOCATION)) == "KP"; }));
             PressKey(focusWindow(host), VK_RETURN);
           }));
  CHECK_EQ(std::string("KP"), d.text(DialogField::kLocation));

  // Enter in a combo box: CATEGORY-OPERATOR, with a typed value.
  CHECK_EQ(kDialogOk, ShowDialog(d, [&](HWND window, DWORD host) {
             atSoapBox(window, host);
             CHECK_EQ(IDC_CATEGORY_OPERATOR, MoveFocus(host, window, VK_TAB));
             TypeText(focusWindow(host), "CHECKLOG");
             CHECK(WaitUntil([&] {
               return WindowText(GetDlgItem(window, IDC_CATEGORY_OPERATOR)) == "CHECKLOG";
             }));
             PressKey(focusWindow(host), VK_RETURN);
           }));
  CHECK_EQ(std::string("CHECKLOG"), d.text(DialogField::kCategoryOperator));

  // Enter in a multi-line field breaks the line and leaves the dialog open.
  d = SetupDialog();
  CHECK_EQ(kDialogOk, ShowDialog(d, [&](HWND window, DWORD host) {
             atSoapBox(window, host);
             TypeText(focusWindow(host), "L1\r\nL2");
             CHECK(WaitUntil(
                 [&] { return WindowText(GetDlgItem(window, IDC_SOAPBOX)) == "L1\r\nL2"; }));
             Sleep(200);
             CHECK(IsWindowVisible(window));
             PostButton(window, IDOK);
           }));
  CHECK_EQ(std::string("L1\r\nL2"), d.text(DialogField::kSoapBox));

  // A module without the template: not shown, nothing changed.
  d = original;
  CHECK_EQ(kDialogNotShown, ShowSetupDialogWindow(GetModuleHandleA("kernel32.dll"), d));
  CHECK(unchanged(d));
}

}  // namespace
}  // namespace rezov

int main(int argc, char** argv) {
  if (argc == 5 && std::string(argv[1]) == "hold") {
    return rezov::HoldFile(argv[2], std::stoul(argv[3]), std::stoul(argv[4]));
  }
  return rezov::RunGroups(argc, argv,
                          {{"date-text-ru", rezov::DateTextRussianGroup},
                           {"date-text-en", rezov::DateTextAmericanGroup},
                           {"utc-now", rezov::UtcNowGroup},
                           {"profile", rezov::ProfileGroup},
                           {"files", rezov::FilesGroup},
                           {"start-program", rezov::StartProgramGroup},
                           {"message-box", rezov::MessagesGroup},
                           {"dialog-template", rezov::TemplateResourceGroup},
                           {"dialog-open", rezov::OpenDialogGroup},
                           {"dialog-exchange", rezov::ExchangeGroup},
                           {"dialog-keys", rezov::KeysGroup}});
}
