// The ten entry points of the module, in the one list that every other piece
// takes them from: the exported functions and their pointer types, the
// loaders of the replay tool and of the tests, the export definition files
// and the version script (which the build writes from this file), and the
// checks of the exported names.
//
// A row: X(name, function, result, parameters, i686, x86_64)
//   name        the plain export name;
//   function    the function name that its decorated twin carries;
//   result, parameters
//               C types, REZOV_T standing for a text (const char*) and
//               REZOV_D for a date (COleDateTime*);
//   i686, x86_64
//               what follows "?<function>@@" in the decorated name on each
//               architecture, as an MSVC compiler decorates the function (a
//               test holds them against clang's decoration).
//
// One row a line: the build reads names and decorations from the text.
// Changing a parameter touches its row and the function's body.
#pragma once

// clang-format off
#define REZOV_ENTRY_POINTS(X) \
  X(GetNumberOfSets, GetNumberOfSets, int, (), "YAHXZ", "YAHXZ") \
  X(GetSetName, GetSetName, const char*, (int), "YAPBDH@Z", "YAPEBDH@Z") \
  X(SetupSet0, SetupSet0, void, (), "YAXXZ", "YAXXZ") \
  X(GetExchgCount0, ZurozUzoZevodUziza0, int, (REZOV_T, REZOV_T, REZOV_T), "YAHPBD00@Z", "YAHPEBD00@Z") \
  X(IsValidExchg0, VerarUzOrudeZored0, int, (REZOV_T, REZOV_T, REZOV_T, REZOV_T, int, int, int), "YAHPBD000HHH@Z", "YAHPEBD000HHH@Z") \
  X(ResetStats0, ResetStats0, int, (REZOV_T, int, REZOV_T, REZOV_D, REZOV_D, REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T, int, int, int, double, double, REZOV_T, REZOV_T, REZOV_T), "YAHPBDH0PAVCOleDateTime@@10000000000HHHNN000@Z", "YAHPEBDH0PEAVCOleDateTime@@10000000000HHHNN000@Z") \
  X(AddData0, AddData0, int, (REZOV_T, REZOV_T, REZOV_D, REZOV_D, REZOV_D, REZOV_D, unsigned int, unsigned int, REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T, int, int, int, double, double, REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T), "YAHPBD0PAVCOleDateTime@@111II000000000000000HHHNN00000@Z", "YAHPEBD0PEAVCOleDateTime@@111II000000000000000HHHNN00000@Z") \
  X(RemoveData0, RemoveData0, int, (REZOV_T, REZOV_T, REZOV_D, REZOV_D, REZOV_D, REZOV_D, unsigned int, unsigned int, REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T, int, int, int, double, double, REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T), "YAHPBD0PAVCOleDateTime@@111II000000000000000HHHNN00000@Z", "YAHPEBD0PEAVCOleDateTime@@111II000000000000000HHHNN00000@Z") \
  X(CheckCall0, CheckCallFunc0, int, (REZOV_T, unsigned int, unsigned int, REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T, int, int, int, double, double, REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T, char*, char*), "YAHPBDII00000000000HHHNN0000000PAD1@Z", "YAHPEBDII00000000000HHHNN0000000PEAD1@Z") \
  X(GetResult0, GetResult0, const char*, (int*), "YAPBDPAH@Z", "YAPEBDPEAH@Z")
// clang-format on
