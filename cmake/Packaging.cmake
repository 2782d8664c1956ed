# Installation under a prefix and the Debian package made from it.
# The executable finds its resources at <exe>/../share/badgeloom, so bin/ and share/ are fixed here
# rather than taken from GNUInstallDirs, which a distribution may point elsewhere.
install(TARGETS badgeloom RUNTIME DESTINATION bin)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/ DESTINATION share/badgeloom)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/badgeloom.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/badgeloom-mime.xml DESTINATION share/mime/packages
        RENAME badgeloom.xml)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/packaging/icons/ DESTINATION share/icons)

# The manual page and the changelog go in compressed the way Debian keeps them (gzip -9n: no
# name or time stamp, so the same input gives the same bytes). The changelog names the build's
# version and commit; the copyright file names the licence of everything the package carries.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(doc_out ${CMAKE_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${doc_out})
configure_file(${CMAKE_SOURCE_DIR}/packaging/badgeloom.1 ${doc_out}/badgeloom.1 COPYONLY)
set(changelog_commit "")
set(changelog_date "")
if(EXISTS ${CMAKE_SOURCE_DIR}/.git)
  execute_process(COMMAND git -C ${CMAKE_SOURCE_DIR} log -1 --format=%h%n%s OUTPUT_VARIABLE changelog_commit
                  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  execute_process(COMMAND git -C ${CMAKE_SOURCE_DIR} log -1 --format=%cD OUTPUT_VARIABLE changelog_date
                  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
endif()
if(changelog_commit STREQUAL "")
  set(changelog_commit "a source tree without history")
endif()
# Hash on the first line, subject on the next: each within Debian's 80 columns.
string(REPLACE "\n" ":\n    " changelog_commit "${changelog_commit}")
if(changelog_date STREQUAL "")
  string(TIMESTAMP changelog_date "%a, %d %b %Y %H:%M:%S +0000" UTC)
endif()
string(SUBSTRING "${changelog_commit}" 0 90 changelog_commit)
set(BADGELOOM_MAINTAINER "badgeloom developers <maintainers@badgeloom.org>")
file(WRITE ${doc_out}/changelog.new
     "badgeloom (${BADGELOOM_VERSION}) unstable; urgency=medium\n\n"
     "  * Built from commit ${changelog_commit}.\n\n"
     " -- ${BADGELOOM_MAINTAINER}  ${changelog_date}\n")
configure_file(${doc_out}/changelog.new ${doc_out}/changelog COPYONLY)
foreach(doc badgeloom.1 changelog)
  execute_process(COMMAND ${GZIP_PROGRAM} -9nf -k ${doc_out}/${doc} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "gzip could not compress ${doc}")
  endif()
endforeach()
install(FILES ${doc_out}/badgeloom.1.gz DESTINATION share/man/man1)
install(FILES ${doc_out}/changelog.gz ${CMAKE_SOURCE_DIR}/packaging/copyright DESTINATION share/doc/badgeloom)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME badgeloom)
set(CPACK_PACKAGE_CONTACT ${BADGELOOM_MAINTAINER})
set(CPACK_PACKAGE_VERSION ${BADGELOOM_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Designer for ID cards, badges and visitor passes")
set(CPACK_PACKAGE_DESCRIPTION_FILE ${CMAKE_SOURCE_DIR}/packaging/long-description.txt)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://badgeloom.org")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
# The libraries the executable links come from dpkg-shlibdeps (added to the Depends below).
# Every program or data file the application starts or reads at run time is named too
# (tests/package/check-package finds them in the source and checks): python3 runs the mail
# script, which every mail needs, so it is a dependency; what Qt loads at run time (picture
# formats beyond PNG and JPEG), xdg-open for Help and links (xdg-utils) and the face cascade
# (opencv-data) only take one feature each, which then says which package it needs; the mail
# script verifies the mail server's certificate against the system's CA store (ca-certificates),
# without which no TLS mail to a real server goes out.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The camera window lists and runs cameras through Qt Multimedia's GStreamer backend, which needs
# the base and good element sets (v4l2src, videoconvert); without them no camera is listed.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "python3")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "ca-certificates, qt6-image-formats-plugins, xdg-utils, opencv-data, gstreamer1.0-plugins-base, gstreamer1.0-plugins-good")
# The desktop database, the MIME database and the icon cache are refreshed by the dpkg triggers
# of desktop-file-utils, shared-mime-info and the icon theme: no maintainer scripts are needed.
include(CPack)
