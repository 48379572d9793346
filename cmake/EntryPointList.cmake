# Reads the rows of plugin/entry_point_list.h: sets, in the caller's scope,
# REZOV_ENTRY_NAMES (the plain export names, in order) and, for each name N,
# REZOV_FUNCTION_<N>, REZOV_DECORATION_i686_<N> and REZOV_DECORATION_x86_64_<N>.
# Usable from a project and from a script (cmake -P).
function(rezov_read_entry_points list_file)
  # The rows end in the backslash of a macro line; it would escape the list
  # separator, so it goes first.
  file(READ ${list_file} text)
  string(REPLACE "\\\n" "\n" text "${text}")
  string(REGEX MATCHALL "\n *X\\([^\n]*" rows "${text}")
  set(names "")
  foreach(row IN LISTS rows)
    if(NOT row MATCHES "^\n *X\\(([A-Za-z0-9_]+), ([A-Za-z0-9_]+), .*\"([^\"]+)\", \"([^\"]+)\"\\)")
      message(FATAL_ERROR "${list_file}: a row this script cannot read:\n${row}")
    endif()
    list(APPEND names ${CMAKE_MATCH_1})
    set(REZOV_FUNCTION_${CMAKE_MATCH_1} ${CMAKE_MATCH_2} PARENT_SCOPE)
    set(REZOV_DECORATION_i686_${CMAKE_MATCH_1} "${CMAKE_MATCH_3}" PARENT_SCOPE)
    set(REZOV_DECORATION_x86_64_${CMAKE_MATCH_1} "${CMAKE_MATCH_4}" PARENT_SCOPE)
  endforeach()
  set(REZOV_ENTRY_NAMES ${names} PARENT_SCOPE)
endfunction()

# The decorated export name of entry point `name` on `arch`.
function(rezov_decorated_name out name arch)
  set(${out} "?${REZOV_FUNCTION_${name}}@@${REZOV_DECORATION_${arch}_${name}}" PARENT_SCOPE)
endfunction()

# Writes `text` to `file` unless it holds exactly that already, so that
# nothing that depends on the file is rebuilt for nothing.
function(rezov_write_if_changed file text)
  file(WRITE ${file}.new "${text}")
  configure_file(${file}.new ${file} COPYONLY)
  file(REMOVE ${file}.new)
endfunction()

# Writes the version script of Rezov.so and the definition file of Rezov.dll
# for each architecture into `folder`, from the list; rewritten only when
# their text changes.
function(rezov_write_export_files list_file folder)
  rezov_read_entry_points(${list_file})
  set(map "# Written by the build from plugin/entry_point_list.h.\n{\n  global:\n")
  foreach(name IN LISTS REZOV_ENTRY_NAMES)
    string(APPEND map "    ${name};\n")
  endforeach()
  string(APPEND map "  local:\n    *;\n};\n")
  rezov_write_if_changed(${folder}/rezov.map "${map}")
  foreach(arch i686 x86_64)
    set(def "; Written by the build from plugin/entry_point_list.h: each entry point\n")
    string(APPEND def "; under its plain name and under its decorated name, on one function.\n")
    string(APPEND def "LIBRARY \"Rezov.dll\"\nEXPORTS\n")
    foreach(name IN LISTS REZOV_ENTRY_NAMES)
      rezov_decorated_name(decorated ${name} ${arch})
      string(APPEND def "    ${name}\n    \"${decorated}\" = ${name}\n")
    endforeach()
    rezov_write_if_changed(${folder}/rezov_${arch}.def "${def}")
  endforeach()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${list_file})
endfunction()
