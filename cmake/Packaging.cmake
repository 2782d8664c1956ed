# Installation under a prefix and the Debian package made from it.
# The executable finds its resources at <exe>/../share/badgeloom, so bin/ and share/ are fixed here
# rather than taken from GNUInstallDirs, which a distribution may point elsewhere.
install(TARGETS badgeloom RUNTIME DESTINATION bin)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/ DESTINATION share/badgeloom)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/badgeloom.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/badgeloom-mime.xml DESTINATION share/mime/packages
        RENAME badgeloom.xml)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/packaging/icons/ DESTINATION share/icons)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME badgeloom)
set(CPACK_PACKAGE_CONTACT "badgeloom developers <badgeloom@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Designer for ID cards, badges and visitor passes")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
# The libraries the executable links come from dpkg-shlibdeps (added to the Depends below).
# Every program or data file the application starts or reads at run time is named too
# (tests/package/check-package finds them in the source and checks): python3 runs the mail
# script, which every mail needs, so it is a dependency; what Qt loads at run time (picture
# formats beyond PNG and JPEG), xdg-open for Help and links (xdg-utils) and the face cascade
# (opencv-data) only take one feature each, which then says which package it needs.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The camera window lists and runs cameras through Qt Multimedia's GStreamer backend, which needs
# the base and good element sets (v4l2src, videoconvert); without them no camera is listed.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "python3")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "qt6-image-formats-plugins, xdg-utils, opencv-data, gstreamer1.0-plugins-base, gstreamer1.0-plugins-good")
# The desktop database, the MIME database and the icon cache are refreshed by the dpkg triggers
# of desktop-file-utils, shared-mime-info and the icon theme: no maintainer scripts are needed.
include(CPack)
