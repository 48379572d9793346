#include "platform/posix/terminal_dialog.h"

#include <array>
#include <string>

#include "platform/platform.h"
#include "platform/setup_dialog.h"

namespace rezov {
namespace {

// A field value on one line: line breaks as \n, backslashes doubled, a lone
// CR or LF as \r or \l, so the form shows exactly what it holds.
std::string Escaped(const std::string& value) {
  std::string out;
  for (std::size_t i = 0; i < value.size(); ++i) {
    const char c = value[i];
    if (c == '\r' && i + 1 < value.size() && value[i + 1] == '\n') {
      out += "\\n";
      ++i;
    } else if (c == '\\') {
      out += "\\\\";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\l";
    } else {
      out += c;
    }
  }
  return out;
}

// The typed value: \n is a line break (CR LF) and \\ a backslash; any other
// backslash stays as typed.
std::string Unescaped(const std::string& typed) {
  std::string out;
  for (std::size_t i = 0; i < typed.size(); ++i) {
    if (typed[i] == '\\' && i + 1 < typed.size() && typed[i + 1] == 'n') {
      out += "\r\n";
      ++i;
    } else if (typed[i] == '\\' && i + 1 < typed.size() && typed[i + 1] == '\\') {
      out += '\\';
      ++i;
    } else {
      out += typed[i];
    }
  }
  return out;
}

std::string Choices(DialogField field) {
  std::string out;
  for (const std::string& item : ComboShownOrder(field)) {
    out += out.empty() ? "  [" : ", ";
    out += item;
  }
  return out.empty() ? out : out + "]";
}

void PrintForm(const std::array<std::string, kDialogFieldCount>& shown, std::FILE* out) {
  std::fprintf(out, "Championship of Moscow: station settings\n");
  for (const DialogFieldInfo& info : DialogFields()) {
    std::fprintf(out, "  %-18s= %s%s\n", info.label,
                 Escaped(shown[static_cast<std::size_t>(info.field)]).c_str(),
                 info.kind == ControlKind::kCombo ? Choices(info.field).c_str() : "");
  }
  std::fprintf(out,
               "Type LABEL=value to change a field (\\n for a line break), "
               "OK or an empty line to confirm, CANCEL to cancel.\n");
  std::fflush(out);
}

bool ReadLine(std::FILE* in, std::string& line) {
  line.clear();
  int c;
  while ((c = std::fgetc(in)) != EOF && c != '\n') line += static_cast<char>(c);
  if (c == EOF && line.empty()) return false;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

}  // namespace

int RunTerminalDialog(SetupDialog& dialog, std::FILE* in, std::FILE* out) {
  std::array<std::string, kDialogFieldCount> shown = ShownTexts(dialog);
  PrintForm(shown, out);
  std::string line;
  while (ReadLine(in, line)) {
    if (line.empty() || line == "OK") {
      for (const DialogFieldInfo& info : DialogFields()) {
        dialog.setText(info.field, shown[static_cast<std::size_t>(info.field)]);
      }
      return kDialogOk;
    }
    if (line == "CANCEL") return kDialogCancel;
    const std::string::size_type eq = line.find('=');
    const DialogFieldInfo* info =
        eq == std::string::npos ? nullptr : FindDialogField(line.substr(0, eq));
    if (!info) {
      std::fprintf(out, "setup form: not a field: %s (fields are set as LABEL=value)\n",
                   line.c_str());
      std::fflush(out);
      continue;
    }
    shown[static_cast<std::size_t>(info->field)] = Unescaped(line.substr(eq + 1));
  }
  return kDialogCancel;
}

}  // namespace rezov
