// The subcommands of the replay tool: score, report, check and dump.
#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "tools/commands/reporter.h"

namespace rezov {

enum class ToolCommand { kScore, kReport, kCheck, kDump };

struct ToolOptions {
  ToolCommand command = ToolCommand::kScore;
  std::string logPath;
  std::string modulePath;  // empty: the module built beside the tool
  std::string workdir = ".";
  std::string countryFile;
  // Which contacts go to the module: by default those on the contest's
  // bands and modes, each once per tour.
  bool allContacts = false;
  bool keepRepeats = false;
  // Where `score` writes the report page; `report` writes it beside the
  // Cabrillo file.
  std::string htmlPath;
  // Overrides of what the log says about the operator's station.
  std::optional<std::string> call;
  std::optional<std::string> region;
  std::optional<std::string> grid;
  std::optional<std::string> date;  // YYYY-MM-DD
  // The checked station.
  std::string checkCall;
  std::string checkBand;
  std::string checkMode;
  std::string checkRegion;
  std::optional<std::string> checkCountry;
};

// Runs one command: results to `out`, problems and errors to `err`.
int RunTool(const ToolOptions& options, std::FILE* out, std::FILE* err);

}  // namespace rezov
