// One scripted contest, played through the entry points of a loaded module:
// the same calls, in the same order, with the same fixed dates and the same
// dialog answers, whether the module is Rezov.dll under Wine or Rezov.so on
// Linux. Everything the module answers goes into a transcript; with the
// files the module writes, it must come out byte for byte the same.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "plugin/rezov_exports.h"

namespace rezov {

using EntryPoints = ModuleEntryPoints;

// What the operator does in one setup dialog: the texts typed over the
// fields (label, text; CR LF for a line break), then OK or CANCEL.
struct DialogAnswer {
  std::vector<std::pair<std::string, std::string>> edits;
  bool confirm = true;
};

// The dialogs the contest opens, in order.
const std::vector<DialogAnswer>& ContestDialogAnswers();

// The texts the contest's message boxes show, in order.
const std::vector<std::string>& ContestMessages();

// Plays the contest in the current folder, which must hold an empty
// Plugins folder, and writes the transcript. False when it could not be
// written.
bool PlayContest(const EntryPoints& module);

// The files a played contest leaves, with '/' between folder and name.
const std::vector<std::string>& ContestOutputFiles();

}  // namespace rezov
