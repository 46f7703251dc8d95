# Installed layout and the Debian package. The programs go to bin, the delivered data read-only
# to share/vexlor-writer (each user gets a writable copy on first start), plus the udev rule,
# the desktop entry and the icon.
include(GNUInstallDirs)

set(VEXLOR_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/vexlor-writer)

foreach(program vexlor-writer vexlor-writer-cli vexlor-writer-sim xmldec)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

# xmldec is built into the base directory for the build-tree program; installed, it lives in
# bin. The serial journal is what runs in the build tree wrote, not delivered data.
install(DIRECTORY ${VEXLOR_BASE_DIR}/ DESTINATION ${VEXLOR_SHARE_DIR}
  FILE_PERMISSIONS OWNER_READ GROUP_READ WORLD_READ
  DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
    WORLD_READ WORLD_EXECUTE
  PATTERN xmldec EXCLUDE
  PATTERN "vexlor-writer.db*" EXCLUDE)

install(FILES ${PROJECT_SOURCE_DIR}/packaging/udev/60-vexlor-writer.rules
  DESTINATION lib/udev/rules.d)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/vexlor-writer.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/icons/vexlor-writer.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(CPACK_PACKAGE_NAME vexlor-writer)
set(CPACK_PACKAGE_VENDOR "Vexlor")
set(CPACK_PACKAGE_CONTACT "Vexlor Writer developers <writer@vexlor.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Desktop controller for the Vexlor USB stand-alone writer")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# libusb is opened at run time, so the linked-library scan cannot see it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libusb-1.0-0 (>= 2:1.0.26)")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/packaging/debian/postinst)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
