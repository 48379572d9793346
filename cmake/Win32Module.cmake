# The Windows module: Rezov.dll, one self-contained file that imports only
# KERNEL32, USER32, OLEAUT32 and msvcrt, with the setup dialog and the
# version among its resources and twenty exports (each entry point plain
# and decorated).
enable_language(RC)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(REZOV_ARCH x86_64)
else()
  set(REZOV_ARCH i686)
endif()
set(REZOV_DEF_FILE ${REZOV_EXPORT_FILES_DIR}/rezov_${REZOV_ARCH}.def)
set(REZOV_RESOURCE_SCRIPT ${CMAKE_CURRENT_SOURCE_DIR}/resources/rezov.rc)

add_library(rezov_platform STATIC ${REZOV_PLATFORM_COMMON_SOURCES}
  platform/win32/module_instance.cpp
  platform/win32/setup_dialog_window.cpp
  platform/win32/win32_date_text.cpp
  platform/win32/win32_files.cpp
  platform/win32/win32_platform.cpp
)
target_link_libraries(rezov_platform PUBLIC user32 oleaut32 kernel32)

function(rezov_add_windows_module)
  add_library(Rezov MODULE plugin/entry_points.cpp platform/win32/dll_main.cpp
    ${REZOV_RESOURCE_SCRIPT} ${REZOV_DEF_FILE})
  target_include_directories(Rezov PRIVATE ${PROJECT_SOURCE_DIR}/resources)
  target_link_libraries(Rezov PRIVATE rezov_plugin)
  set_target_properties(Rezov PROPERTIES PREFIX "" OUTPUT_NAME Rezov SUFFIX ".dll"
    LINK_DEPENDS ${REZOV_DEF_FILE})
  rezov_add_version_resource(Rezov Rezov.dll
    "Rezov: Championship of Moscow scoring plug-in" VFT_DLL)
  # -static folds libgcc, libstdc++ and winpthread into the DLL.
  target_link_options(Rezov PRIVATE -static $<$<CONFIG:Release,MinSizeRel>:-s>)
endfunction()
