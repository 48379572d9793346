# Plays the scripted contest through Rezov.dll under Wine and through the
# Linux Rezov.so, each in an empty folder of its own, and fails unless both
# leave the same files, byte for byte.
#
#   cmake -DWINE=wine -DHOST=rezov_wine_host.exe -DLINUX_DRIVER=rezov_linux_contest
#         -DLINUX_MODULE=Rezov.so -DWORK=<scratch folder> -P compare_contest.cmake
cmake_minimum_required(VERSION 3.20)
set(files transcript.txt R3XX_P.cbr Plugins/VARNO.ini cabrillo.ini)

foreach(tool LINUX_DRIVER LINUX_MODULE HOST)
  if(NOT EXISTS "${${tool}}")
    message(FATAL_ERROR "${${tool}} is missing: build the Linux tree first")
  endif()
endforeach()
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/wine ${WORK}/linux)

execute_process(COMMAND ${WINE} ${HOST} contest WORKING_DIRECTORY ${WORK}/wine
  RESULT_VARIABLE wine_failed OUTPUT_VARIABLE wine_output ERROR_VARIABLE wine_errors)
message(STATUS "under Wine: ${wine_output}")
execute_process(COMMAND ${LINUX_DRIVER} ${LINUX_MODULE} ${WORK}/linux
  RESULT_VARIABLE linux_failed OUTPUT_QUIET ERROR_FILE ${WORK}/linux-form.txt)

set(errors "")
if(wine_failed)
  string(APPEND errors "  the Wine host failed (${wine_failed}): ${wine_errors}\n")
endif()
if(linux_failed)
  string(APPEND errors "  the Linux driver failed (${linux_failed}), see ${WORK}/linux-form.txt\n")
endif()
foreach(name IN LISTS files)
  set(a ${WORK}/wine/${name})
  set(b ${WORK}/linux/${name})
  if(NOT EXISTS ${a} OR NOT EXISTS ${b})
    string(APPEND errors "  ${name}: missing under Wine or on Linux\n")
    continue()
  endif()
  file(READ ${a} bytes_a HEX)
  file(READ ${b} bytes_b HEX)
  if(NOT bytes_a STREQUAL bytes_b)
    execute_process(COMMAND diff -u --text ${b} ${a} OUTPUT_VARIABLE difference)
    string(APPEND errors "  ${name} differs (--- Linux, +++ Wine):\n${difference}\n")
  else()
    file(SIZE ${a} size)
    message(STATUS "${name}: ${size} bytes, the same")
  endif()
endforeach()
if(errors)
  message(FATAL_ERROR "the contest left different results:\n${errors}")
endif()
