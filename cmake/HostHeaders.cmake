# Header-only libraries from the build machine (Debian's -dev packages).
# A cross build finds no package for its target, so it gets the host's
# headers through a folder that holds only the one library's folder.

# Makes `target` (an INTERFACE library) see /usr/include/<folder> (or
# /usr/local/include/<folder>) and nothing else of /usr/include. `header` is
# a file inside <folder> that must exist; `package` is what to install when
# it does not.
function(rezov_host_headers target folder header package)
  find_path(REZOV_${target}_DIR ${folder}/${header} PATHS /usr/include /usr/local/include
            NO_CMAKE_FIND_ROOT_PATH NO_DEFAULT_PATH)
  if(NOT REZOV_${target}_DIR)
    message(FATAL_ERROR "${folder}/${header} not found: install ${package} "
                        "(scripts/install-deps.sh)")
  endif()
  set(only ${PROJECT_BINARY_DIR}/host-headers/${target})
  file(MAKE_DIRECTORY ${only})
  file(CREATE_LINK ${REZOV_${target}_DIR}/${folder} ${only}/${folder} SYMBOLIC)
  add_library(${target} INTERFACE)
  target_include_directories(${target} SYSTEM INTERFACE ${only})
endfunction()

# A product folder's headers, reachable only through the folder's own
# include path, which its library passes on to the targets that link it:
# a layer that includes the header of a layer it does not link fails to
# compile.
function(rezov_layer_headers target folder)
  set(dir ${PROJECT_BINARY_DIR}/layers/${folder})
  get_filename_component(parent ${dir}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${dir}/${folder} SYMBOLIC)
  target_include_directories(${target} PUBLIC ${dir})
endfunction()
