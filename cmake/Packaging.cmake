# Installation and the Debian package: the program, the virtual module, a
# desktop entry with its icon and the virtual module's manual page.
include(GNUInstallDirs)

install(TARGETS daxo-eval daxo-module-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES packaging/daxo-eval.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/daxo-eval.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES packaging/daxo-module-sim.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME daxo-eval)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR DAXO)
set(CPACK_PACKAGE_CONTACT "DAXO evaluation software team <eval@daxo.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Evaluation and configuration tool for DAXO Tavimo radio modules")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Configures and tests DAXO Tavimo low-power radio modules on a serial port: module settings "
    "one command at a time, a radio link test, the module's memory and its CC1000 channel tables. "
    "Includes daxo-module-sim, a virtual module on a pseudo-terminal.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)  # the Qt and C++ runtime packages, found from the binaries
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
