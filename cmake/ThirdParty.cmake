# The image libraries as imported targets JPEG::JPEG, PNG::PNG, GIF::GIF and
# ZLIB::ZLIB, all static.
#
# Natively they are Debian's -dev packages. For the MinGW cross builds, zlib is
# Debian's libz-mingw-w64-dev; libjpeg-turbo, libpng and giflib are built from
# their Debian source packages (fetched by scripts/third-party-sources) into
# HEAPFOLD_THIRD_PARTY_DIR/<processor>, once: a stamp keyed on the recipe, the
# source versions and the compiler skips the build on every later configure.

if(NOT (WIN32 AND CMAKE_CROSSCOMPILING))
  find_package(JPEG REQUIRED)
  find_package(PNG REQUIRED)
  find_package(GIF REQUIRED)
  find_package(ZLIB REQUIRED)
  return()
endif()

set(HEAPFOLD_THIRD_PARTY_DIR "${CMAKE_SOURCE_DIR}/build/third-party" CACHE PATH
  "Where the Windows builds keep the image libraries' sources and builds")
# The architecture from the toolchain's triple, which every configure reads
# afresh (a build tree first configured before the toolchain files named
# their processor has no CMAKE_SYSTEM_PROCESSOR).
string(REGEX MATCH "^[^-]+" third_arch "${HEAPFOLD_MINGW_TRIPLE}")
set(third_sources ${HEAPFOLD_THIRD_PARTY_DIR}/src)
set(third_prefix ${HEAPFOLD_THIRD_PARTY_DIR}/${third_arch})
set(third_recipe ${CMAKE_CURRENT_LIST_DIR}/third-party)

# zlib: the static library only, so the programs need no zlib1.dll.
find_library(HEAPFOLD_ZLIB_LIBRARY NAMES libz.a)
find_path(HEAPFOLD_ZLIB_INCLUDE_DIR zlib.h)
if(NOT HEAPFOLD_ZLIB_LIBRARY OR NOT HEAPFOLD_ZLIB_INCLUDE_DIR)
  message(FATAL_ERROR "The static MinGW zlib is missing: scripts/bootstrap installs libz-mingw-w64-dev")
endif()

file(MAKE_DIRECTORY ${HEAPFOLD_THIRD_PARTY_DIR})
file(LOCK ${HEAPFOLD_THIRD_PARTY_DIR}/.lock-${third_arch} GUARD FILE TIMEOUT 3600)

set(third_packages libjpeg-turbo libpng1.6 giflib)
set(missing_source OFF)
foreach(p IN LISTS third_packages)
  if(NOT EXISTS ${third_sources}/${p}/.heapfold-unpacked)
    set(missing_source ON)
  endif()
endforeach()
if(missing_source)
  execute_process(
    COMMAND ${CMAKE_SOURCE_DIR}/scripts/third-party-sources
    COMMAND_ERROR_IS_FATAL ANY)
endif()

# What the built prefix depends on.
set(third_key "${CMAKE_C_COMPILER};${third_arch};${HEAPFOLD_ZLIB_LIBRARY}")
foreach(f ${third_recipe}/CMakeLists.txt ${third_recipe}/giflib/CMakeLists.txt)
  file(READ ${f} content)
  string(APPEND third_key ";${content}")
endforeach()
foreach(p IN LISTS third_packages)
  file(READ ${third_sources}/${p}/.heapfold-unpacked version)
  string(APPEND third_key ";${version}")
endforeach()
string(SHA256 third_key "${third_key}")

set(third_stamp ${third_prefix}/.heapfold-built)
set(built_key "")
if(EXISTS ${third_stamp})
  file(READ ${third_stamp} built_key)
endif()
if(NOT built_key STREQUAL third_key)
  message(STATUS "Building libjpeg-turbo, libpng and giflib for ${third_arch} (once)")
  set(third_build ${HEAPFOLD_THIRD_PARTY_DIR}/build-${third_arch})
  file(REMOVE_RECURSE ${third_prefix} ${third_build})
  set(third_log ${third_build}.log)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -S ${third_recipe} -B ${third_build} -G Ninja
      -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
      -DCMAKE_BUILD_TYPE=Release
      -DCMAKE_INSTALL_PREFIX=${third_prefix}
      -DHEAPFOLD_THIRD_PARTY_SOURCES=${third_sources}
      -DZLIB_LIBRARY=${HEAPFOLD_ZLIB_LIBRARY}
      -DZLIB_INCLUDE_DIR=${HEAPFOLD_ZLIB_INCLUDE_DIR}
    OUTPUT_FILE ${third_log}-configure ERROR_FILE ${third_log}-configure
    RESULT_VARIABLE result)
  if(result EQUAL 0)
    execute_process(
      COMMAND ${CMAKE_COMMAND} --build ${third_build}
      OUTPUT_FILE ${third_log} ERROR_FILE ${third_log}
      RESULT_VARIABLE result)
  endif()
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "Building the image libraries failed; see ${third_log}-configure and ${third_log}")
  endif()
  file(WRITE ${third_stamp} "${third_key}")
endif()

file(LOCK ${HEAPFOLD_THIRD_PARTY_DIR}/.lock-${third_arch} RELEASE)

function(heapfold_import_static name library)
  add_library(${name} STATIC IMPORTED GLOBAL)
  set_target_properties(${name} PROPERTIES
    IMPORTED_LOCATION ${library}
    INTERFACE_INCLUDE_DIRECTORIES ${ARGN})
endfunction()
heapfold_import_static(ZLIB::ZLIB ${HEAPFOLD_ZLIB_LIBRARY} ${HEAPFOLD_ZLIB_INCLUDE_DIR})
heapfold_import_static(JPEG::JPEG ${third_prefix}/lib/libjpeg.a ${third_prefix}/include)
heapfold_import_static(PNG::PNG ${third_prefix}/lib/libpng16.a ${third_prefix}/include)
set_target_properties(PNG::PNG PROPERTIES INTERFACE_LINK_LIBRARIES ZLIB::ZLIB)
heapfold_import_static(GIF::GIF ${third_prefix}/lib/libgif.a ${third_prefix}/include)
