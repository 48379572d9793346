# Checks the decorated export names three ways, so that a changed parameter
# list can never ship with a stale name:
#   1. the names an MSVC compiler gives the declarations in
#      plugin/export_declarations.cpp (clang++ for the MSVC targets, then
#      llvm-nm) are exactly the decorated names of the rezov_<arch>.def that
#      the build wrote from plugin/entry_point_list.h;
#   2. the .def pairs every plain name of the list with the decorated name of
#      its own function, and lists the ten plain names once each;
#   3. with a DLL given, its export table holds exactly the twenty names of
#      the .def, each pair on one address.
#
#   cmake -DCLANGXX=.. -DLLVM_NM=.. -DDECLARATIONS=.. -DLIST=.. -DDEF_DIR=.. -DARCHES="i686;x86_64"
#         -DWORK=<scratch folder> [-DDLL=Rezov.dll -DLLVM_READOBJ=..] -P check_exports.cmake
cmake_minimum_required(VERSION 3.20)

include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/EntryPointList.cmake)
rezov_read_entry_points(${LIST})
set(plain_names ${REZOV_ENTRY_NAMES})
foreach(name IN LISTS plain_names)
  if(NOT REZOV_FUNCTION_${name} STREQUAL name)
    set(function_of_${name} ${REZOV_FUNCTION_${name}})
  endif()
endforeach()

set(errors "")
macro(fail text)
  string(APPEND errors "  ${text}\n")
endmacro()

foreach(tool CLANGXX LLVM_NM)
  if(NOT ${tool} OR NOT EXISTS "${${tool}}")
    message(FATAL_ERROR "${tool} is needed (clang and llvm: scripts/install-deps.sh windows)")
  endif()
endforeach()
file(MAKE_DIRECTORY ${WORK})

foreach(arch IN LISTS ARCHES)
  # 1. What the compiler makes of the declarations.
  set(object ${WORK}/export_declarations_${arch}.obj)
  execute_process(
    COMMAND ${CLANGXX} -target ${arch}-pc-windows-msvc -I${CMAKE_CURRENT_LIST_DIR}/../..
            -c ${DECLARATIONS} -o ${object}
    RESULT_VARIABLE failed ERROR_VARIABLE output)
  if(failed)
    message(FATAL_ERROR "compiling ${DECLARATIONS} for ${arch} failed:\n${output}")
  endif()
  execute_process(COMMAND ${LLVM_NM} -u ${object} OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "${LLVM_NM} -u ${object} failed")
  endif()
  string(REGEX MATCHALL "\\?[^ \r\n]+" compiled "${symbols}")
  list(SORT compiled)

  # 2. What the .def says.
  file(STRINGS ${DEF_DIR}/rezov_${arch}.def def_lines)
  set(def_plain "")
  set(def_decorated "")
  foreach(line IN LISTS def_lines)
    string(STRIP "${line}" line)
    if(line MATCHES "^\"(\\?[^\"]+)\" *= *([A-Za-z0-9_]+)$")
      set(decorated "${CMAKE_MATCH_1}")
      set(target "${CMAKE_MATCH_2}")
      list(APPEND def_decorated "${decorated}")
      string(REGEX REPLACE "^\\?([^@]+)@.*" "\\1" function "${decorated}")
      set(expected_function "${target}")
      if(DEFINED function_of_${target})
        set(expected_function "${function_of_${target}}")
      endif()
      if(NOT function STREQUAL expected_function)
        fail("${arch}: ${decorated} is the twin of ${target}, whose function is ${expected_function}")
      endif()
      string(MD5 key "${decorated}")
      set(twin_of_${key} "${target}")
    elseif(line STREQUAL "" OR line MATCHES "^;" OR line MATCHES "^(LIBRARY|EXPORTS)( |$)")
      # comment or heading
    elseif(line MATCHES "^([A-Za-z0-9_]+)$")
      list(APPEND def_plain "${CMAKE_MATCH_1}")
    else()
      fail("${arch}: unexpected line in rezov_${arch}.def: ${line}")
    endif()
  endforeach()
  list(SORT def_decorated)
  set(sorted_plain ${plain_names})
  list(SORT sorted_plain)
  set(sorted_def_plain ${def_plain})
  list(SORT sorted_def_plain)
  if(NOT sorted_def_plain STREQUAL sorted_plain)
    fail("${arch}: plain names in the .def are ${sorted_def_plain}, not ${sorted_plain}")
  endif()
  list(LENGTH compiled compiled_count)
  if(NOT compiled_count EQUAL 10)
    fail("${arch}: the declarations give ${compiled_count} decorated names, not 10")
  endif()
  if(NOT def_decorated STREQUAL compiled)
    foreach(name IN LISTS compiled)
      if(NOT name IN_LIST def_decorated)
        fail("${arch}: the compiler says ${name}, which rezov_${arch}.def lacks")
      endif()
    endforeach()
    foreach(name IN LISTS def_decorated)
      if(NOT name IN_LIST compiled)
        fail("${arch}: rezov_${arch}.def has ${name}, which no declaration gives")
      endif()
    endforeach()
  endif()

  # 3. What the DLL exports.
  if(DLL)
    execute_process(COMMAND ${LLVM_READOBJ} --coff-exports ${DLL}
      OUTPUT_VARIABLE table RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "${LLVM_READOBJ} --coff-exports ${DLL} failed")
    endif()
    string(REGEX MATCHALL "Name: [^\r\n]*[\r\n]+ *RVA: 0x[0-9A-Fa-f]+" entries "${table}")
    set(exported "")
    foreach(entry IN LISTS entries)
      string(REGEX MATCH "Name: ([^\r\n]*)[\r\n]+ *RVA: (0x[0-9A-Fa-f]+)" _ "${entry}")
      list(APPEND exported "${CMAKE_MATCH_1}")
      # Export names hold characters a variable name may not, hence the hash.
      string(MD5 key "${CMAKE_MATCH_1}")
      set(rva_of_${key} "${CMAKE_MATCH_2}")
    endforeach()
    list(SORT exported)
    set(wanted ${def_plain} ${def_decorated})
    list(SORT wanted)
    list(LENGTH exported exported_count)
    if(NOT exported_count EQUAL 20)
      fail("${arch}: the DLL exports ${exported_count} names, not 20")
    endif()
    if(NOT exported STREQUAL wanted)
      fail("${arch}: the DLL exports\n    ${exported}\n  the .def lists\n    ${wanted}")
    endif()
    foreach(decorated IN LISTS def_decorated)
      string(MD5 key "${decorated}")
      set(target "${twin_of_${key}}")
      string(MD5 target_key "${target}")
      if(NOT "${rva_of_${key}}" STREQUAL "${rva_of_${target_key}}" OR "${rva_of_${key}}" STREQUAL "")
        fail("${arch}: ${decorated} at ${rva_of_${key}}, ${target} at ${rva_of_${target_key}}")
      endif()
    endforeach()
  endif()
  message(STATUS "${arch}: ${compiled_count} decorated names checked")
endforeach()

if(errors)
  message(FATAL_ERROR "export names do not agree:\n${errors}")
endif()
