# SPDX-License-Identifier: GPL-3.0-or-later
# `make package`: a Debian package of what `make install` installs, below /usr.
# Its dependencies on libraries are computed from the binaries by
# dpkg-shlibdeps; only what Qt loads at run time is named here.
install(FILES ${CMAKE_SOURCE_DIR}/cmake/debian/copyright DESTINATION ${TEVRIX_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tevrix-student)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "TevrixStudent developers <maintainers@users.noreply.c-seed-db793994.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "student station for TevrixX computer tests")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "A pupil opens a test prepared by a teacher (a .tvf file), gives a name and a group, and takes "
    "the tasks one at a time in nine answer forms. The run is graded into a mark, written to a "
    "result log and a protected result file, shown to the pupil and reported to the teacher's "
    "server. Includes tvf, the teacher's command-line tool for test and result files.")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CHECKSUM SHA256)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt Multimedia plays sound through GStreamer plugins it loads at run time:
# WAV needs the good plugins, MP3 and MP4 in tasks the libav ones.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "gstreamer1.0-plugins-good, gstreamer1.0-libav")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
