# zqvr_add_library(TARGET FOLDER SOURCES ... [LINKS ...])
#
# One folder of src/ becomes one shared library that keeps the layers honest:
#  - its public include root holds only its own folder (a link named after the
#    folder), so a library can include the headers of what it links and of
#    nothing else: an include that goes up a layer fails to compile;
#  - it is linked with --no-undefined, so a call that goes up a layer fails to link;
#  - symbols are hidden unless marked with the folder's export macro,
#    ZQVR_<FOLDER>_EXPORT from "<folder>_export.h".
include(GenerateExportHeader)
include(GNUInstallDirs)

set(ZQVR_INCLUDE_ROOT ${CMAKE_BINARY_DIR}/zqvr_include)

function(zqvr_add_library target)
  cmake_parse_arguments(L "" "FOLDER" "SOURCES;LINKS" ${ARGN})
  if(NOT L_FOLDER)
    message(FATAL_ERROR "zqvr_add_library(${target}): FOLDER is required")
  endif()
  add_library(${target} SHARED ${L_SOURCES})
  target_link_libraries(${target} PUBLIC ${L_LINKS})

  set(root ${ZQVR_INCLUDE_ROOT}/${L_FOLDER})
  file(MAKE_DIRECTORY ${root})
  if(NOT EXISTS ${root}/${L_FOLDER})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${L_FOLDER} SYMBOLIC)
  endif()
  string(TOUPPER ${L_FOLDER} upper)
  generate_export_header(${target}
    BASE_NAME ZQVR_${upper}
    EXPORT_MACRO_NAME ZQVR_${upper}_EXPORT
    EXPORT_FILE_NAME ${root}/export/${L_FOLDER}_export.h)
  # The screens' headers include their ui_*.h (uic's members carry the control names).
  target_include_directories(${target} PUBLIC
    $<BUILD_INTERFACE:${root}>
    $<BUILD_INTERFACE:${root}/export>
    $<BUILD_INTERFACE:${CMAKE_CURRENT_BINARY_DIR}/${target}_autogen/include>)
  set_target_properties(${target} PROPERTIES
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON
    VERSION ${PROJECT_VERSION}
    SOVERSION ${PROJECT_VERSION_MAJOR})
  # Installed (the Debian package): the library under lib/, its headers under
  # include/brevanto/<folder>/ and its export header beside the folders, so
  # that a host includes them as it does in the build tree.
  if(ZQVR_INSTALL)
    install(TARGETS ${target} LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
      PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
    install(DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/brevanto/${L_FOLDER}
      FILES_MATCHING PATTERN "*.h")
    install(FILES ${root}/export/${L_FOLDER}_export.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/brevanto)
    install(DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/${target}_autogen/include/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/brevanto
      OPTIONAL FILES_MATCHING PATTERN "ui_*.h")
  endif()
  # The sanitizers' and the fuzzer's runtime is linked into the programs
  # only, so an instrumented library leaves its hooks undefined.
  if(NOT ZQVR_BUILD_FUZZ)
    target_link_options(${target} PRIVATE LINKER:--no-undefined)
  endif()
endfunction()
