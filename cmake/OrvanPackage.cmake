# `make package`: the .deb and the .rpm of the Release build with CPack, the
# files laid out by OrvanInstall.cmake under /usr. Their dependencies are
# found from what the binaries link: dpkg-shlibdeps for the .deb, rpmbuild's
# automatic requirements for the .rpm.

set(CPACK_PACKAGE_NAME orvanta)
set(CPACK_PACKAGE_VENDOR "Orvanta developers")
set(CPACK_PACKAGE_CONTACT "Orvanta developers <developers@orvanta.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "design of experiments and regression analysis")
# Lines of at most 80 characters, as the package managers show them.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Orvanta plans experiments (full factorial, central composite, module and"
    "D-optimal designs), fits regression models to the responses and tests them"
    "(Cochran, Student, Fisher, check point), reports, searches the extremum and"
    "draws response curves, contours and surfaces. The desktop program orvan32"
    "has a Russian user interface; the batch tool orvan drives the same plan"
    "operations without windows.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB RPM)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
set(CPACK_SET_DESTDIR OFF)

execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE orvan_deb_arch
                OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
if(NOT orvan_deb_arch)
    set(orvan_deb_arch amd64)
endif()
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${orvan_deb_arch})
set(CPACK_DEBIAN_FILE_NAME orvanta_${PROJECT_VERSION}_${orvan_deb_arch}.deb)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://orvanta.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The modules and plug-ins are loaded from the program's own folder and are
# nobody else's libraries.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/bin)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

set(CPACK_RPM_FILE_NAME orvanta-${PROJECT_VERSION}.${CMAKE_SYSTEM_PROCESSOR}.rpm)
set(CPACK_RPM_PACKAGE_LICENSE "LicenseRef-proprietary")
set(CPACK_RPM_PACKAGE_GROUP "Applications/Engineering")
set(CPACK_RPM_PACKAGE_URL "https://orvanta.org/")
set(CPACK_RPM_PACKAGE_AUTOREQ ON)
set(CPACK_RPM_PACKAGE_AUTOPROV OFF)
# No /usr/lib/.build-id links: the debugging information is not shipped,
# and links that other packages may hold too would only conflict.
set(CPACK_RPM_SPEC_MORE_DEFINE "%define _build_id_links none")
# The folders the system's own packages own are not claimed by this one.
set(CPACK_RPM_EXCLUDE_FROM_AUTO_FILELIST_ADDITION
    /usr/include /usr/lib /usr/share/applications /usr/share/lintian
    /usr/share/lintian/overrides /usr/share/doc /usr/share/icons
    /usr/share/icons/hicolor /usr/share/icons/hicolor/scalable
    /usr/share/icons/hicolor/scalable/apps /usr/share/icons/hicolor/64x64
    /usr/share/icons/hicolor/64x64/apps /usr/share/man /usr/share/man/man1 /usr/share/man/ru
    /usr/share/man/ru/man1 /usr/share/metainfo /usr/share/mime /usr/share/mime/packages)

include(CPack)
