// The setup dialog as a line-oriented form on a terminal.
#pragma once

#include <cstdio>

namespace rezov {

class SetupDialog;

// Prints the fields to `out`, then reads LABEL=value lines from `in` until OK
// (or an empty line) confirms or CANCEL (or the end of input) cancels.
int RunTerminalDialog(SetupDialog& dialog, std::FILE* in, std::FILE* out);

}  // namespace rezov
