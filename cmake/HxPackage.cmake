# make package: a Debian package of the installation (CPack), on other systems a zip of it.
# The package holds what the install rules put under the prefix /usr: the program and the
# virtual unit in /usr/bin, their libraries in /usr/lib/hxconfig, the data in
# /usr/share/hxconfig, the menu entry and the icons.
set(CPACK_PACKAGE_NAME "${PROJECT_NAME}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "VORA")
set(CPACK_PACKAGE_CONTACT "VORA configuration tool maintainers <hxconfig@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Configuration tool for the VORA flybarless gyro unit")
set(CPACK_PACKAGE_DESCRIPTION "Reads and writes every parameter of the flybarless gyro unit \
of an RC helicopter over its USB serial link, shows live values, saves and loads setups, \
shows the flight log and hands firmware updates to the flashing tool. Includes hxsim, a \
virtual unit.")
set(CPACK_RESOURCE_FILE_README "${PROJECT_SOURCE_DIR}/README.md")
set(CPACK_PACKAGE_CHECKSUM SHA256)

if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
    set(CPACK_GENERATOR "DEB")
    # The menu entry is written at install time with the program's path under /usr, not
    # under the folder that cpack stages the package in: cpack installs with DESTDIR.
    set(CPACK_SET_DESTDIR ON)
    set(CPACK_INSTALL_PREFIX "/usr")
    set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
    set(CPACK_STRIP_FILES ON)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION "electronics")
    set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
    # dpkg-shlibdeps names the Qt and C++ runtime packages; our own libraries come along.
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS "${HX_BIN_DIR}")
    # A desktop needs a platform plugin to show the window; the xcb one is in libqt5gui5.
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
else()
    set(CPACK_GENERATOR "ZIP")
endif()

include(CPack)
