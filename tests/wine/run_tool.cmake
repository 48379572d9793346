# Replays the bundled example through rezov.exe and the real Rezov.dll
# under Wine and compares the printed summary with the expected one (line
# ends aside: the console writes CR LF).
file(REMOVE_RECURSE ${WORK})
execute_process(
  # Unix paths would read as Windows-style options: name them through
  # drive Z:, which Wine maps to the root folder.
  COMMAND ${WINE} ${TOOL} score Z:${LOG} --workdir Z:${WORK} --cty Z:${CTY}
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "rezov.exe score exited with ${status}:\n${err}")
endif()
file(READ ${EXPECTED} expected)
string(REPLACE "\r" "" out "${out}")
string(REPLACE "\r" "" expected "${expected}")
if(NOT out STREQUAL expected)
  message(FATAL_ERROR "rezov.exe printed:\n${out}\nexpected:\n${expected}")
endif()
if(NOT EXISTS ${WORK}/Plugins/VARNO.ini)
  message(FATAL_ERROR "the module under Wine wrote no Plugins\\VARNO.ini")
endif()
