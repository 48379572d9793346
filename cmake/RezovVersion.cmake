# The version, written once in project() of the top CMakeLists.txt, in the
# forms code needs: a header for the programs (rezov_version.h through the
# library rezov_version) and, for each Windows binary, a version resource
# that Explorer and GetFileVersionInfo read.
set(REZOV_GENERATED_DIR ${PROJECT_BINARY_DIR}/generated)
configure_file(${PROJECT_SOURCE_DIR}/resources/rezov_version.h.in
  ${REZOV_GENERATED_DIR}/rezov_version.h @ONLY)
add_library(rezov_version INTERFACE)
target_include_directories(rezov_version INTERFACE ${REZOV_GENERATED_DIR})

# Gives `target` a VERSIONINFO resource: `file_name` is the file's name as
# built, `description` its FileDescription, `file_type` VFT_DLL or VFT_APP.
function(rezov_add_version_resource target file_name description file_type)
  set(REZOV_FILE_NAME ${file_name})
  set(REZOV_FILE_DESCRIPTION ${description})
  set(REZOV_FILE_TYPE ${file_type})
  set(script ${REZOV_GENERATED_DIR}/${file_name}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/resources/version_info.rc.in ${script} @ONLY)
  target_sources(${target} PRIVATE ${script})
endfunction()
