// A stand-in host for Rezov.dll under Wine: loads the DLL from beside this
// program with LoadLibraryA, finds its entry points with GetProcAddress and
// plays what a host does, while a second thread acts as the operator on the
// dialog and the message boxes.
//
//   rezov_wine_host <group>       runs one group of checks
//   rezov_wine_host show-dialog   opens the setup dialog with default values
//                                 in the current folder until the file
//                                 "screenshot-taken" appears there
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/win32_headers.h"
#include "tests/wine/check.h"
#include "tests/wine/contest_script.h"
#include "rezov_version.h"
#include "tests/wine/temp_folder.h"
#include "tests/wine/version_info.h"
#include "tests/wine/window_robot.h"

namespace rezov {
namespace {

// Each entry point: its plain export name and the function name its
// decorated twin carries.
const struct {
  const char* plain;
  const char* function;
} kEntryPoints[] = {
#define REZOV_NAMES(name, function, result, parameters, i686, x86_64) {#name, #function},
    REZOV_ENTRY_POINTS(REZOV_NAMES)
#undef REZOV_NAMES
};

class DllModule {
 public:
  DllModule() : handle_(LoadLibraryA((ProgramFolder() + "\\Rezov.dll").c_str())) {
    if (!handle_) {
      ReportFailure(__FILE__, __LINE__,
                    "LoadLibraryA(Rezov.dll) failed: " + std::to_string(GetLastError()));
      return;
    }
    const Result<ModuleEntryPoints> entry = ResolveEntryPoints([this](const char* name) {
      return reinterpret_cast<void*>(GetProcAddress(handle_, name));
    });
    if (!entry) {
      ReportFailure(__FILE__, __LINE__, entry.error());
      return;
    }
    e = *entry;
    complete_ = true;
  }
  ~DllModule() {
    if (handle_) FreeLibrary(handle_);
  }
  DllModule(const DllModule&) = delete;
  DllModule& operator=(const DllModule&) = delete;

  bool ok() const { return complete_; }
  HMODULE handle() const { return handle_; }
  EntryPoints e;

 private:
  HMODULE handle_;
  bool complete_ = false;
};

// The export names of the loaded image, read from its export directory.
std::vector<std::string> ExportNames(HMODULE module) {
  const auto* base = reinterpret_cast<const unsigned char*>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  const auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
  const auto* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
  std::vector<std::string> out;
  for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
    out.push_back(reinterpret_cast<const char*>(base + names[i]));
  }
  return out;
}

void ExportsGroup() {
  DllModule m;
  if (!m.ok()) return;
  const std::vector<std::string> names = ExportNames(m.handle());
  CHECK_EQ(std::size_t{20}, names.size());
  for (const auto& entry : kEntryPoints) {
    const FARPROC plain = GetProcAddress(m.handle(), entry.plain);
    CHECK(plain != nullptr);
    // The decorated twin: the only other name that starts with "?" and the
    // function name, on the same address.
    const std::string prefix = std::string("?") + entry.function + "@@";
    int twins = 0;
    for (const std::string& name : names) {
      if (name.compare(0, prefix.size(), prefix) != 0) continue;
      ++twins;
      CHECK_EQ(reinterpret_cast<void*>(plain),
               reinterpret_cast<void*>(GetProcAddress(m.handle(), name.c_str())));
    }
    CHECK_EQ(1, twins);
  }
  CHECK_EQ(1, m.e.GetNumberOfSets());
  CHECK_EQ(std::string("Moscow"), std::string(m.e.GetSetName(0)));
  for (int index : {1, 5, -1}) CHECK_EQ(std::string(), std::string(m.e.GetSetName(index)));
  CHECK_EQ(1, m.e.GetExchgCount0("a", "b", "c"));
  CHECK_EQ(0, m.e.IsValidExchg0("a", "b", "c", "d", 1, 2, 3));
  CHECK_EQ(1, m.e.GetNumberOfSets());
}

// Bytes in use in every heap of the process.
std::size_t HeapBytesInUse() {
  HANDLE heaps[64];
  const DWORD count = GetProcessHeaps(64, heaps);
  std::size_t busy = 0;
  for (DWORD h = 0; h < count && h < 64; ++h) {
    PROCESS_HEAP_ENTRY entry{};
    HeapLock(heaps[h]);
    while (HeapWalk(heaps[h], &entry)) {
      if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) busy += entry.cbData;
    }
    HeapUnlock(heaps[h]);
  }
  return busy;
}

// A host that reloads its plug-ins often: a load and an unload leave no
// heap block behind (the runtime's exception pool was 19 to 75 KB a time).
void ReloadGroup() {
  { DllModule warmUp; }
  const std::size_t before = HeapBytesInUse();
  for (int i = 0; i < 50; ++i) {
    DllModule m;
    if (!m.ok()) return;
    CHECK_EQ(1, m.e.GetNumberOfSets());
  }
  const std::size_t after = HeapBytesInUse();
  if (after >= before + 64 * 1024) {
    ReportFailure(__FILE__, __LINE__, "grew by " + std::to_string(after - before) + " bytes");
  }
}

// The contest of the comparison with the Linux module, played in the
// current folder.
void ContestGroup() {
  if (!CreateDirectoryA("Plugins", nullptr)) {
    ReportFailure(__FILE__, __LINE__, "the current folder must be empty");
    return;
  }
  DllModule m;
  if (!m.ok()) return;
  Autopilot operatorThread(GetCurrentThreadId(), ContestDialogAnswers());
  CHECK(PlayContest(m.e));
  operatorThread.Stop();
  // The user's regional date (Wine run with LC_ALL=ru_RU.UTF-8) heads the
  // summary.
  const std::string transcript = ReadBytes("transcript.txt").value_or("");
  CHECK(transcript.find("\nChampionship of Moscow 05.03.2012 \r\n") != std::string::npos);
  CHECK_EQ(ContestDialogAnswers().size(), operatorThread.dialogsAnswered());
  const std::vector<MessageBoxView>& shown = operatorThread.messages();
  CHECK_EQ(ContestMessages().size(), shown.size());
  for (std::size_t i = 0; i < shown.size() && i < ContestMessages().size(); ++i) {
    CHECK_EQ(ContestMessages()[i], shown[i].text);
    CHECK_EQ(std::string("Output"), shown[i].caption);
    CHECK_EQ(unsigned{MB_OK | MB_ICONINFORMATION}, shown[i].style);
  }
}

constexpr double kContestDay = 40973.0;

int Reset(DllModule& m, int reportMode, const char* call) {
  COleDateTime unread{1.0, 1};
  COleDateTime date{kContestDay, 0};
  return m.e.ResetStats0("", reportMode, call, &unread, &date, "", "", "", "", "MA", "", "",
                         "KO", "", "", 0, 0, 0, 0.0, 0.0, "", "", "");
}

int AddR3ma(DllModule& m) {
  COleDateTime time{kContestDay + 19.0 / 24 + 1.0 / 1440, 0};
  COleDateTime unread{0.0, 2};
  return m.e.AddData0("", "R3MA", &time, &unread, &unread, &unread, 0, 1830500, "CW", "599",
                      "599", "001", "001 MA", "", "", "", "", "", "", "", "", "", "UA", 0, 0,
                      0, 0.0, 0.0, "", "", "", "160", "");
}

// The operator's part in the first dialog: looks at what it shows, walks
// the tab stops, types into fields and confirms with Enter in LOCATION.
void OperateFirstDialog(DWORD host) {
  const HWND dialog = WaitForThreadDialog(host, kSetupDialogCaption);
  CHECK(dialog != nullptr);
  if (!dialog) return;
  CHECK(GetWindow(dialog, GW_OWNER) == nullptr);
  const struct {
    int id;
    const char* text;
    int selected;  // for combo boxes, the selected index in shown order
  } shown[] = {{1010, "R3XX", 0},      {1006, "R3XX", 0}, {1009, "MSK", 0},  {1008, "", 0},
               {1007, "", 0},          {1002, "", 0},     {1001, "", 0},     {1018, "", 0},
               {1013, "SINGLE-OP", 0}, {1014, "160", 1},  {1015, "HIGH", 0}, {1016, "SO160", 2}};
  for (const auto& field : shown) {
    const HWND control = GetDlgItem(dialog, field.id);
    CHECK_EQ(std::string(field.text), WindowText(control));
    if (ClassOf(control) == "ComboBox") {
      CHECK_EQ(LRESULT{field.selected}, SendMessageA(control, CB_GETCURSEL, 0, 0));
    }
  }
  CHECK(WaitUntil([&] { return FocusedControlId(host, dialog) == 1001; }));
  for (int next : {1013, 1014, 1015, 1016, 1018, 1001}) {
    CHECK_EQ(next, MoveFocus(host, dialog, VK_TAB));
  }
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(host, &info);
  TypeText(info.hwndFocus, "73 all\r\nGL");
  const HWND soapBox = GetDlgItem(dialog, 1001);
  CHECK(WaitUntil([&] { return WindowText(soapBox) == "73 all\r\nGL"; }));
  CHECK(IsWindow(dialog));

  const HWND address = GetDlgItem(dialog, 1002);
  PostMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(address), TRUE);
  CHECK(WaitUntil([&] { return FocusedControlId(host, dialog) == 1002; }));
  TypeText(address, "L1\r\nL2");
  CHECK(WaitUntil([&] { return WindowText(address) == "L1\r\nL2"; }));

  const HWND name = GetDlgItem(dialog, 1007);
  PostMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(name), TRUE);
  CHECK(WaitUntil([&] { return FocusedControlId(host, dialog) == 1007; }));
  TypeText(name, "Ivan");
  CHECK(WaitUntil([&] { return WindowText(name) == "Ivan"; }));

  // A value that is in no list, typed over the selected item.
  const HWND power = GetDlgItem(dialog, 1015);
  PostMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(power), TRUE);
  CHECK(WaitUntil([&] { return FocusedControlId(host, dialog) == 1015; }));
  GetGUIThreadInfo(host, &info);
  TypeText(info.hwndFocus, "QRP");
  CHECK(WaitUntil([&] { return WindowText(power) == "QRP"; }));

  const HWND location = GetDlgItem(dialog, 1018);
  PostMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(location), TRUE);
  CHECK(WaitUntil([&] { return FocusedControlId(host, dialog) == 1018; }));
  TypeText(location, "KO85");
  CHECK(WaitUntil([&] { return WindowText(location) == "KO85"; }));
  PressKey(location, VK_RETURN);
  CHECK(WaitUntilClosed(dialog));
}

// Reads what the second dialog loaded from the file, edits NAME and leaves
// with `leave` (Esc, or the close box).
void OperateCancelledDialog(DWORD host, bool closeBox) {
  const HWND dialog = WaitForThreadDialog(host, kSetupDialogCaption);
  CHECK(dialog != nullptr);
  if (!dialog) return;
  CHECK_EQ(std::string("L1\r\nL2"), WindowText(GetDlgItem(dialog, 1002)));
  CHECK_EQ(std::string("73 all\r\nGL"), WindowText(GetDlgItem(dialog, 1001)));
  CHECK_EQ(std::string("KO85"), WindowText(GetDlgItem(dialog, 1018)));
  CHECK_EQ(std::string("Ivan"), WindowText(GetDlgItem(dialog, 1007)));
  CHECK_EQ(std::string("1"), WindowText(GetDlgItem(dialog, 1008)));
  CHECK_EQ(std::string("HIGH"), WindowText(GetDlgItem(dialog, 1015)));
  SetDlgItemTextA(dialog, 1007, "Not saved");
  if (closeBox) {
    PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  } else {
    CHECK(WaitUntil([&] { return FocusedControlId(host, dialog) == 1001; }));
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(host, &info);
    PressKey(info.hwndFocus, VK_ESCAPE);
  }
  CHECK(WaitUntilClosed(dialog));
}

// Enter in a combo box's edit part confirms the dialog.
void OperateDialogWithEnterInCombo(DWORD host) {
  const HWND dialog = WaitForThreadDialog(host, kSetupDialogCaption);
  CHECK(dialog != nullptr);
  if (!dialog) return;
  SetDlgItemTextA(dialog, 1007, "Saved by Enter");
  CHECK(WaitUntil([&] { return FocusedControlId(host, dialog) == 1001; }));
  CHECK_EQ(1013, MoveFocus(host, dialog, VK_TAB));
  CHECK_EQ(1014, MoveFocus(host, dialog, VK_TAB));
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(host, &info);
  TypeText(info.hwndFocus, "ALL");
  PressKey(info.hwndFocus, VK_RETURN);
  CHECK(WaitUntilClosed(dialog));
}

const char kSettingsAfterOk[] =
    "[Settings]\r\nOperators=R3XX\r\nName=Ivan\r\nAddress=L1<CR><LF>L2\r\n"
    "Category=SINGLE-OP\r\nContest=MSK\r\nEmail=\r\nClub=\r\nSoapBox=73 all<CR><LF>GL\r\n"
    "Location=KO85\r\n";

const char kCabrilloAfterOk[] =
    "START-OF-LOG: 3.0\r\nCONTEST: MSK\r\nCALLSIGN: R3XX\r\nCATEGORY-OPERATOR: SINGLE-OP\r\n"
    "CATEGORY-BAND: 160\r\nCATEGORY-POWER: QRP\r\nCATEGORY-OVERLAY: SO160\r\n"
    "LOCATION: KO85\r\nCLAIMED-SCORE: 1\r\nCLUB: \r\nCREATED-BY: Lunt \r\nNAME: Ivan\r\n"
    "ADDRESS: L1\r\nADDRESS: L2\r\nOPERATORS: R3XX\r\nEMAIL: \r\nSOAPBOX: 73 all\r\n"
    "SOAPBOX: GL\r\n"
    "QSO:  1830 CW 2012-03-05 1901 R3XX          001 MA     R3MA          001 MA\r\n"
    "END-OF-LOG:\r\n";

void DialogGroup() {
  TempFolder folder;
  DllModule m;
  if (!m.ok()) return;
  const DWORD host = GetCurrentThreadId();
  {
    HelperThread operatorThread([host] { OperateFirstDialog(host); });
    CHECK_EQ(1, Reset(m, 1, "R3XX"));
  }
  CHECK_EQ(std::optional<std::string>(kSettingsAfterOk), ReadBytes("Plugins\\VARNO.ini"));
  CHECK_EQ(1, AddR3ma(m));
  {
    Autopilot operatorThread(host, {});
    int result = 0;
    m.e.GetResult0(&result);
    CHECK_EQ(-1, result);
    operatorThread.Stop();
    CHECK_EQ(std::size_t{1}, operatorThread.messages().size());
  }
  CHECK_EQ(std::optional<std::string>(kCabrilloAfterOk), ReadBytes("R3XX.cbr"));
  CHECK_EQ(std::optional<std::string>(""), ReadBytes("cabrillo.ini"));
  const std::string settings = std::string(kSettingsAfterOk) + "Claimed=1\r\n";
  CHECK_EQ(std::optional<std::string>(settings), ReadBytes("Plugins\\VARNO.ini"));

  for (bool closeBox : {false, true}) {
    HelperThread operatorThread([host, closeBox] { OperateCancelledDialog(host, closeBox); });
    CHECK_EQ(1, Reset(m, 1, "R3XX"));
    operatorThread.Join();
    CHECK_EQ(std::optional<std::string>(settings), ReadBytes("Plugins\\VARNO.ini"));
  }
  {
    HelperThread operatorThread([host] { OperateDialogWithEnterInCombo(host); });
    CHECK_EQ(1, Reset(m, 1, "R3XX"));
  }
  const std::optional<std::string> saved = ReadBytes("Plugins\\VARNO.ini");
  CHECK(saved && saved->find("\r\nName=Saved by Enter\r\n") != std::string::npos);
}

// A top-level window of the host's, active while it logs.
class HostWindow {
 public:
  HostWindow() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "RezovTestHost";
    RegisterClassA(&wc);
    window_ = CreateWindowExA(0, "RezovTestHost", "Lunt", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10,
                              10, 300, 200, nullptr, nullptr, wc.hInstance, nullptr);
  }
  ~HostWindow() { DestroyWindow(window_); }
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;
  HWND get() const { return window_; }
  // Makes it the active window again, as it is when the host calls.
  bool Activate() {
    SetForegroundWindow(window_);
    SetActiveWindow(window_);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    return GetActiveWindow() == window_;
  }

 private:
  HWND window_;
};

MessageBoxView OneMessage(const std::function<void()>& call) {
  Autopilot operatorThread(GetCurrentThreadId(), {DialogAnswer{{}, true}});
  call();
  operatorThread.Stop();
  CHECK_EQ(std::size_t{1}, operatorThread.messages().size());
  return operatorThread.messages().empty() ? MessageBoxView{} : operatorThread.messages()[0];
}

void MessagesGroup() {
  TempFolder folder;
  DllModule m;
  if (!m.ok()) return;
  HostWindow hostWindow;
  CHECK(hostWindow.Activate());

  const MessageBoxView setup = OneMessage([&] { m.e.SetupSet0(); });
  CHECK_EQ(std::string("No additional setup for this contest"), setup.text);
  CHECK_EQ(DefaultMessageCaption(), setup.caption);
  CHECK(!setup.caption.empty());
  CHECK(setup.owner == nullptr);
  CHECK_EQ(unsigned{MB_OK}, setup.style);
  CHECK_EQ(std::vector<std::string>{"Plugins"}, FolderEntries("."));

  {
    Autopilot operatorThread(GetCurrentThreadId(), {DialogAnswer{{}, true}});
    Reset(m, 1, "R3XX");
    operatorThread.Stop();
    CHECK_EQ(std::size_t{1}, operatorThread.dialogsAnswered());
  }
  AddR3ma(m);
  int result = 0;
  CHECK(hostWindow.Activate());
  const MessageBoxView produced = OneMessage([&] { m.e.GetResult0(&result); });
  CHECK_EQ(-1, result);
  CHECK_EQ(std::string("File produced: R3XX.cbr"), produced.text);
  CHECK_EQ(std::string("Output"), produced.caption);
  CHECK_EQ(unsigned{MB_OK | MB_ICONINFORMATION}, produced.style);
  CHECK(produced.owner == hostWindow.get());

  // A read-only log file and a folder in its place are left as they are.
  const std::vector<std::string> entries = FolderEntries(".");
  CHECK(WriteBytes("R3XX.cbr", "old log\r\n"));
  CHECK(SetFileAttributesA("R3XX.cbr", FILE_ATTRIBUTE_READONLY));
  const MessageBoxView refused = OneMessage([&] { m.e.GetResult0(&result); });
  CHECK_EQ(std::string("File not produced: R3XX.cbr"), refused.text);
  CHECK_EQ(std::string("Output"), refused.caption);
  CHECK_EQ(unsigned{MB_OK | MB_ICONWARNING}, refused.style);
  CHECK_EQ(-1, result);
  SetFileAttributesA("R3XX.cbr", FILE_ATTRIBUTE_NORMAL);
  CHECK_EQ(std::optional<std::string>("old log\r\n"), ReadBytes("R3XX.cbr"));
  CHECK_EQ(entries, FolderEntries("."));

  CHECK(DeleteFileA("R3XX.cbr") && CreateDirectoryA("R3XX.cbr", nullptr));
  const MessageBoxView folderTarget = OneMessage([&] { m.e.GetResult0(&result); });
  CHECK_EQ(std::string("File not produced: R3XX.cbr"), folderTarget.text);
  CHECK(GetFileAttributesA("R3XX.cbr") & FILE_ATTRIBUTE_DIRECTORY);
  CHECK_EQ(entries, FolderEntries("."));
}

void CompanionGroup() {
  TempFolder folder;
  CHECK(CopyFileA((ProgramFolder() + "\\rezov_korbix_stub.exe").c_str(), "Plugins\\Korbix.exe",
                  FALSE));
  auto starts = [] { return ReadBytes("korbix-started.txt").value_or(""); };
  const std::string once = "started show=1\r\n";
  {
    DllModule m;
    if (!m.ok()) return;
    CHECK_EQ(1, Reset(m, 0, "R3XX"));
    CHECK(WaitUntil([&] { return starts() == once; }, 20000));
    CHECK_EQ(1, Reset(m, 0, "R3XX"));
    Sleep(2000);
    CHECK_EQ(once, starts());
  }
  // A new load starts it again.
  DllModule reloaded;
  if (!reloaded.ok()) return;
  CHECK_EQ(1, Reset(reloaded, 0, "R3XX"));
  CHECK(WaitUntil([&] { return starts() == once + once; }, 20000));
}

// rezov.exe run as an operator runs it: the setup dialog confirmed by hand,
// then the tool reads the module's "Output" message box itself, closes it
// and says what it said.
struct ToolRun {
  DWORD exitCode = 0;
  std::string out;
  std::string err;
};

ToolRun RunToolReport() {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  const HANDLE out = CreateFileA("tool.out", GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                 CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  const HANDLE err = CreateFileA("tool.err", GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                 CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = out;
  startup.hStdError = err;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  std::string command = "\"" + ProgramFolder() + "\\rezov.exe\" report log.adi --workdir .";
  PROCESS_INFORMATION process{};
  ToolRun run;
  CHECK(CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                       &startup, &process));
  CloseHandle(out);
  CloseHandle(err);
  HWND dialog = nullptr;
  CHECK(WaitUntil([&] { return (dialog = FindWindowA("#32770", kSetupDialogCaption)) != nullptr; },
                  20000));
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  CHECK_EQ(DWORD{WAIT_OBJECT_0}, WaitForSingleObject(process.hProcess, 30000));
  GetExitCodeProcess(process.hProcess, &run.exitCode);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  run.out = ReadBytes("tool.out").value_or("");
  run.err = ReadBytes("tool.err").value_or("");
  return run;
}

void ToolReportGroup() {
  TempFolder folder;
  CHECK(WriteBytes("log.adi",
                   "<STATION_CALLSIGN:6>RK3AXW<MY_STATE:2>MA<CALL:4>R3AA<QSO_DATE:8>20240217"
                   "<TIME_ON:4>1801<FREQ:5>1.830<MODE:2>CW<DXCC:2>54<STX:1>1"
                   "<SRX_STRING:6>004 SP<EOR>\r\n"));
  const ToolRun produced = RunToolReport();
  CHECK_EQ(DWORD{0}, produced.exitCode);
  CHECK(produced.out.find("Cabrillo file: ") != std::string::npos);
  CHECK(produced.out.find("RK3AXW.cbr") != std::string::npos);
  const std::optional<std::string> written = ReadBytes("RK3AXW.cbr");
  CHECK(written && written->find("QSO:  1830 CW 2024-02-17 1801 RK3AXW") != std::string::npos);

  // The file held open by another program: no path, the module's message,
  // exit status 1, and the old file whole.
  const HANDLE holder = CreateFileA("RK3AXW.cbr", GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  const ToolRun refused = RunToolReport();
  CloseHandle(holder);
  CHECK_EQ(DWORD{1}, refused.exitCode);
  CHECK(refused.err.find("rezov: error: File not produced: RK3AXW.cbr") != std::string::npos);
  CHECK(refused.out.find("Cabrillo file: ") == std::string::npos);
  CHECK_EQ(written, ReadBytes("RK3AXW.cbr"));
}

// What the version resource of a file beside this program must say.
struct VersionedFile {
  const char* name;
  const char* description;
  DWORD type;
};

void CheckVersionResource(const VersionedFile& file) {
  const std::optional<VersionInfo> info = VersionInfo::Read(ProgramFolder() + "\\" + file.name);
  CHECK(info.has_value());
  if (!info) return;
  const DWORD high = MAKELONG(REZOV_VERSION_MINOR, REZOV_VERSION_MAJOR);
  const DWORD low = MAKELONG(0, REZOV_VERSION_PATCH);
  CHECK_EQ(high, info->fixed().dwFileVersionMS);
  CHECK_EQ(low, info->fixed().dwFileVersionLS);
  CHECK_EQ(high, info->fixed().dwProductVersionMS);
  CHECK_EQ(low, info->fixed().dwProductVersionLS);
  CHECK_EQ(file.type, info->fixed().dwFileType);
  const std::pair<const char*, const char*> strings[] = {
      {"FileVersion", REZOV_VERSION},       {"ProductVersion", REZOV_VERSION},
      {"ProductName", "Rezov"},             {"FileDescription", file.description},
      {"OriginalFilename", file.name},
  };
  for (const auto& [name, value] : strings) {
    CHECK_EQ(std::optional<std::string>(value), info->String(name));
  }
}

void VersionGroup() {
  CheckVersionResource({"Rezov.dll", "Rezov: Championship of Moscow scoring plug-in", VFT_DLL});
}

void ToolVersionGroup() {
  CheckVersionResource(
      {"rezov.exe", "rezov: score a contest log through the Rezov module", VFT_APP});
}

// Keeps the dialog open with its default values for a screenshot.
int ShowDialogForScreenshot() {
  CreateDirectoryA("Plugins", nullptr);
  DllModule m;
  if (!m.ok()) return 1;
  const DWORD host = GetCurrentThreadId();
  HelperThread operatorThread([host] {
    const HWND dialog = WaitForThreadDialog(host, kSetupDialogCaption, 30000);
    if (!dialog) return;
    // Where it is on the screen, as a crop geometry: WxH+X+Y.
    RECT r;
    GetWindowRect(dialog, &r);
    WriteBytes("dialog-open", std::to_string(r.right - r.left) + "x" +
                                  std::to_string(r.bottom - r.top) + "+" +
                                  std::to_string(r.left) + "+" + std::to_string(r.top) + "\n");
    WaitUntil([] { return GetFileAttributesA("screenshot-taken") != INVALID_FILE_ATTRIBUTES; },
              60000);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  Reset(m, 1, "R3XX");
  return FailureCount() == 0 ? 0 : 1;
}

}  // namespace
}  // namespace rezov

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "show-dialog") == 0) {
    return rezov::ShowDialogForScreenshot();
  }
  return rezov::RunGroups(argc, argv,
                          {{"exports", rezov::ExportsGroup},
                           {"reload", rezov::ReloadGroup},
                           {"contest", rezov::ContestGroup},
                           {"dialog", rezov::DialogGroup},
                           {"messages", rezov::MessagesGroup},
                           {"companion", rezov::CompanionGroup},
                           {"tool-report", rezov::ToolReportGroup},
                           {"version", rezov::VersionGroup},
                           {"tool-version", rezov::ToolVersionGroup}});
}
