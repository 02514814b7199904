# SPDX-License-Identifier: GPL-3.0-or-later
# The core: everything in src/ but ui/ and app/, as the library tevrix_core.
# It never sees Qt: a Qt include in the core must fail to build, since Qt's
# headers are never on its path. Included by the root project and by the
# fuzz project, so both build the same sources.
get_filename_component(TEVRIX_CORE_ROOT ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)

include(GNUInstallDirs)
# Where an installation keeps what comes with the station (catalogues, user
# guide, licence, examples), below the prefix.
set(TEVRIX_DATA_DIR "${CMAKE_INSTALL_DATADIR}/tevrix-student" CACHE STRING
    "The station's data folder, relative to the installation prefix")

find_package(ZLIB REQUIRED)
find_package(PkgConfig REQUIRED)
pkg_check_modules(PCRE2 REQUIRED IMPORTED_TARGET libpcre2-8)
find_package(Threads REQUIRED)

set(CORE_FOLDERS base text io richtext model results rules frontend session headless net config platform)
set(CORE_SOURCES)
foreach(folder IN LISTS CORE_FOLDERS)
  file(GLOB folder_sources CONFIGURE_DEPENDS ${TEVRIX_CORE_ROOT}/src/${folder}/*.cpp)
  list(APPEND CORE_SOURCES ${folder_sources})
endforeach()
add_library(tevrix_core STATIC ${CORE_SOURCES})
target_include_directories(tevrix_core PUBLIC ${TEVRIX_CORE_ROOT}/src)
target_link_libraries(tevrix_core PUBLIC ZLIB::ZLIB PkgConfig::PCRE2 Threads::Threads)
# An installed station finds its data folder from its own folder.
file(RELATIVE_PATH data_from_executable /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${TEVRIX_DATA_DIR})
set_property(SOURCE ${TEVRIX_CORE_ROOT}/src/platform/StationFolders.cpp APPEND PROPERTY
             COMPILE_DEFINITIONS TEVRIX_DATA_DIR_FROM_EXECUTABLE="${data_from_executable}")
