// Plays the scripted contest through Rezov.so, for the comparison with the
// same contest played through Rezov.dll under Wine.
//
//   rezov_linux_contest <Rezov.so> <empty folder>
//
// The Linux module's setup dialog is a form on the terminal, so the dialog
// answers are put on its standard input before the module reads them.
#include <unistd.h>

#include <cstdio>
#include <string>
#include <sys/stat.h>

#include "tests/boundary/module_loader.h"
#include "tests/wine/contest_script.h"

namespace rezov {
namespace {

// The form's spelling of a typed value: a line break is \n, a backslash \\.
std::string FormValue(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      out += "\\n";
      ++i;
    } else if (text[i] == '\\') {
      out += "\\\\";
    } else {
      out += text[i];
    }
  }
  return out;
}

bool AnswerDialogsFrom(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  for (const DialogAnswer& answer : ContestDialogAnswers()) {
    for (const auto& [label, text] : answer.edits) {
      std::fprintf(f, "%s=%s\n", label.c_str(), FormValue(text).c_str());
    }
    std::fprintf(f, "%s\n", answer.confirm ? "OK" : "CANCEL");
  }
  return std::fclose(f) == 0 && std::freopen(path.c_str(), "rb", stdin) != nullptr;
}


}  // namespace
}  // namespace rezov

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <Rezov.so> <empty folder>\n", argv[0]);
    return 2;
  }
  // Beside the folder, so that only the module's files are in it.
  const std::string answers = std::string(argv[2]) + ".answers";
  if (!rezov::AnswerDialogsFrom(answers) || chdir(argv[2]) != 0 ||
      mkdir("Plugins", 0777) != 0) {
    std::perror(argv[2]);
    return 2;
  }
  try {
    rezov::LoadedModule module(argv[1]);
    return rezov::PlayContest(module) ? 0 : 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 2;
  }
}
