// rezov: replays an ADIF or Cabrillo log through the built module, calling
// its entry points as the host does, and shows what the module answers.
#include <CLI/CLI.hpp>

#include <algorithm>
#include <memory>

#include "rezov_version.h"
#include "tools/commands/adjudicate_command.h"
#include "tools/commands/replay_command.h"
#include "tools/countries/country_lookup.h"
#include "tools/module/module_loader.h"

namespace {

using rezov::ToolCommand;
using rezov::ToolOptions;

// An option whose presence matters, not only its value.
void Optional(CLI::App& app, const std::string& name, std::optional<std::string>& target,
              const std::string& help) {
  app.add_option_function<std::string>(
      name, [&target](const std::string& value) { target = value; }, help);
}

CLI::App* Subcommand(CLI::App& app, const char* name, const char* help, ToolOptions& o,
                     ToolCommand command) {
  CLI::App* sub = app.add_subcommand(name, help);
  sub->add_option("LOG", o.logPath, "the log: ADIF (.adi) or Cabrillo (.cbr, .log)")
      ->required();
  sub->callback([&o, command] { o.command = command; });
  return sub;
}

void AddCommands(CLI::App& app, ToolOptions& o) {
  Subcommand(app, "score", "replay the log and print the module's summary", o,
             ToolCommand::kScore)
      ->add_option("--html", o.htmlPath, "also write the report page (HTML) to this file");
  Subcommand(app, "report",
             "replay in report mode: the setup form (LABEL=value lines on standard input, OK "
             "or an empty line to confirm), then the Cabrillo file and the report page beside "
             "it",
             o, ToolCommand::kReport);
  Subcommand(app, "dump", "print what the log reader made of the log, as JSON", o,
             ToolCommand::kDump);
  CLI::App* check = Subcommand(app, "check",
                               "replay, then ask the module about a call now (UTC clock)", o,
                               ToolCommand::kCheck);
  check->add_option("CALL", o.checkCall, "the call being entered")->required();
  check->add_option("--band", o.checkBand, "its band: 160, 80 (or 160m, 80m)")->required();
  check->add_option("--mode", o.checkMode, "its mode: CW, SSB")->required();
  check->add_option("--region", o.checkRegion, "its region code, e.g. MA, SP");
  Optional(*check, "--country", o.checkCountry,
           "its country prefix (default: from the country file)");
}

// `rezov adjudicate`, the committee's check of all submitted logs. It runs
// inside the parse and leaves its exit status in `exitCode`.
void AddAdjudicateCommand(CLI::App& app, std::optional<int>& exitCode) {
  namespace adj = rezov::adjudicate;
  auto o = std::make_shared<adj::AdjudicateOptions>();
  CLI::App* sub = app.add_subcommand(
      "adjudicate", "cross-check every submitted log and write the checked results");
  sub->add_option("LOG_OR_FOLDER", o->paths,
                  "a Cabrillo log, or a folder whose .cbr, .log and .txt files are logs");
  sub->add_option("--out", o->outDir, "the folder for the results (created if missing)");
  Optional(*sub, "--start", o->start, "contest start \"YYYY-MM-DD HH:MM\" UTC (default: derived)");
  Optional(*sub, "--end", o->end, "contest end \"YYYY-MM-DD HH:MM\" UTC, not included");
  Optional(*sub, "--rules", o->rulesFile, "the rules file (key = value, as --print-rules writes)");
  sub->add_flag("--print-rules", o->printRules, "print the rules in the file's format and stop");
  sub->add_option("--max-log-bytes", o->maxLogBytes,
                  "a log file larger than this many bytes is not read (default 16 MiB)")
      ->check(CLI::Range(std::uint64_t{1}, adj::kLargestMaxLogBytes));
  std::string defaults = adj::PrintRules(adj::Rules{});
  defaults.erase(std::remove(defaults.begin(), defaults.end(), '\r'), defaults.end());
  sub->footer("Rules and their defaults:\n" + defaults);
  sub->callback([o, &exitCode] { exitCode = adj::RunAdjudicate(*o, stdout, stderr); });
}

}  // namespace

int main(int argc, char** argv) {
  rezov::os::PrepareConsole();
  ToolOptions o;
  CLI::App app{"rezov: score an ADIF or Cabrillo log through the Rezov module, as the host does"};
  app.require_subcommand(1);
  app.fallthrough();
  app.set_version_flag("--version", std::string("rezov ") + REZOV_VERSION,
                       "Print the version and exit");
  app.add_option("--module", o.modulePath,
                 std::string("the module to load (default: ") + rezov::kModuleFileName +
                     " beside the tool, " + rezov::kPackagedModulePath +
                     " from the tool's folder, or " + rezov::kModuleFileName +
                     " one or two folders above it)");
  app.add_option("--workdir", o.workdir,
                 "the module's current folder: holds Plugins/ and the written files; created "
                 "if missing (default: the current folder)");
  app.add_option("--cty", o.countryFile,
                 std::string("the country file (default: cty.dat beside the tool, else ") +
                     rezov::kDefaultCountryFile + ")");
  Optional(app, "--call", o.call, "own call sign (default: from the log)");
  Optional(app, "--region", o.region, "own region code (default: from the log)");
  Optional(app, "--grid", o.grid, "own grid value (default: from the log)");
  Optional(app, "--date", o.date, "contest date YYYY-MM-DD (default: the first contact's)");
  app.add_flag("--all-contacts", o.allContacts,
               "hand on contacts of every band and mode, not only 160 m and 80 m, CW and SSB");
  app.add_flag("--keep-repeats", o.keepRepeats,
               "hand on repeats within a tour too, which the host refuses at entry");
  AddCommands(app, o);
  std::optional<int> adjudicateExit;
  AddAdjudicateCommand(app, adjudicateExit);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? rezov::kExitOk : rezov::kExitFailed;
  }
  if (adjudicateExit) return *adjudicateExit;
  return rezov::RunTool(o, stdout, stderr);
}
