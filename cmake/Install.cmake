# Installing Quib as a desktop program (cmake --install) and packing it as a Debian package
# (cpack -G DEB). Included at the end of the top-level CMakeLists.txt, after the quib target and
# the icons that quib_icons draws (QUIB_HICOLOR_DIR, QUIB_TRAY_ICON_DIR and their lists).
include(GNUInstallDirs)

# The maker's homepage, as the metainfo file and the package name it.
set(QUIB_HOMEPAGE "https://www.brantel.example.com/")

install(TARGETS quib RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/packaging/quib.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/packaging/com.example.brantel.quib.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/packaging/quib.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(n ${QUIB_ICON_SIZES})
  install(FILES ${QUIB_HICOLOR_DIR}/${n}x${n}/apps/quib.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${n}x${n}/apps)
endforeach()
# The program finds these from its own folder as bin/../share/quib/tray_icons, and takes their
# presence as the sign that it runs installed (its data then goes to the XDG data folder).
foreach(colour ${QUIB_TRAY_ICON_COLOURS})
  install(FILES ${QUIB_TRAY_ICON_DIR}/quib_${colour}.ico DESTINATION ${CMAKE_INSTALL_DATADIR}/quib/tray_icons)
endforeach()
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/packaging/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quib)

# cmake --build <build folder> --target uninstall removes what the last cmake --install of this
# build folder laid down. The manifest lists the files without DESTDIR, so the install keeps the
# DESTDIR it ran with beside it. cpack installs into its staging folder the same way and leaves
# the manifest of the build folder it ran in naming the package's paths; an uninstall then
# refuses, and the README builds packages in a folder of their own.
install(CODE "file(WRITE \"${CMAKE_CURRENT_BINARY_DIR}/install_destdir.txt\" \"\$ENV{DESTDIR}\")")
add_custom_target(uninstall
  COMMAND ${CMAKE_COMMAND} -DMANIFEST=${CMAKE_CURRENT_BINARY_DIR}/install_manifest.txt
          -DDESTDIR_FILE=${CMAKE_CURRENT_BINARY_DIR}/install_destdir.txt
          -P ${CMAKE_CURRENT_SOURCE_DIR}/cmake/Uninstall.cmake
  COMMENT "Removing the files of the last cmake --install"
  VERBATIM)

# ---- Debian package: quib_<version>_<arch>.deb -------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quib)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Brantel Software")
set(CPACK_PACKAGE_HOMEPAGE_URL ${QUIB_HOMEPAGE})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small borderless notes on the desktop")
# Lines kept short, as the control file's long description wants them.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Quib puts small borderless notes on your desktop: type into them, drag, size"
  "and colour them, shrink them to small squares, keep them on top, and find text"
  "across all of them. It lives in the notification area and keeps every note"
  "between runs in plain files.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Brantel Software <quib@brantel.example.com>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# The library dependencies are read from the binary by dpkg-shlibdeps (package dpkg-dev).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# "Open Notes Folder" and the homepage go through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build[^/]*/" "/run/" "/\\\\.cache/")
include(CPack)
