# Program-wide install rules: the program, the private library folder, data
# files, desktop integration, registration of the components at install, an
# uninstall target and the Debian package (CPack).
#
#   cmake --install <build> [--prefix DIR]   install and register (machine hive)
#   cmake --build <build> --target kestavo_uninstall
#   cmake --build <build> --target package   kestavo_<version>_<arch>.deb
include_guard(GLOBAL)

set(KESTAVO_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(KESTAVO_INSTALL_REGISTRATION "machine" CACHE STRING
  "Hive the components are registered in by cmake --install: machine, user or none")
set_property(CACHE KESTAVO_INSTALL_REGISTRATION PROPERTY STRINGS machine user none)

# The libraries in the private folder load each other from beside themselves;
# the programs in bin/ use the project-wide $ORIGIN/../lib/kestavo.
foreach(_target kestavo_platform valtrix obrisk callig)
  if(TARGET ${_target})
    set_target_properties(${_target} PROPERTIES INSTALL_RPATH "$ORIGIN")
  endif()
endforeach()

# valtrix, obrisk, callig (with Calligrapher.voc), kestavo-register and the help
# pages install themselves.
if(TARGET kestavo)
  install(TARGETS kestavo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
if(TARGET kestavo_platform)
  install(TARGETS kestavo_platform LIBRARY DESTINATION ${KESTAVO_PRIVATE_LIBDIR})
endif()

# The licence text: beside the data files in the build tree and the install.
set(_licence ${PROJECT_SOURCE_DIR}/resources/License.txt)
if(EXISTS ${_licence})
  add_custom_target(kestavo_licence_file ALL
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${_licence} ${KESTAVO_BUILD_DATADIR}/License.txt
    COMMENT "Copying License.txt")
  install(FILES ${_licence} DESTINATION ${KESTAVO_DATADIR})
endif()

# The manual page.
install(FILES ${KESTAVO_PACKAGING_DIR}/kestavo.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Desktop entry, icons in the hicolor theme, AppStream metadata.
install(FILES ${KESTAVO_PACKAGING_DIR}/kestavo.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(_size 16 24 32 48 64 128 256)
  set(_icon ${PROJECT_SOURCE_DIR}/resources/icons/128-${_size}.png)
  if(EXISTS ${_icon})
    install(FILES ${_icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${_size}x${_size}/apps
      RENAME kestavo.png)
  endif()
endforeach()
configure_file(${KESTAVO_PACKAGING_DIR}/kestavo.metainfo.xml.in
  ${CMAKE_BINARY_DIR}/packaging/kestavo.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/kestavo.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Registration last, once every file is in place (install rules run in the
# order they were declared, and this file is included after all folders).
configure_file(${KESTAVO_PACKAGING_DIR}/install/register.cmake.in
  ${CMAKE_BINARY_DIR}/packaging/register.cmake @ONLY)
install(SCRIPT ${CMAKE_BINARY_DIR}/packaging/register.cmake)

configure_file(${KESTAVO_PACKAGING_DIR}/install/uninstall.cmake.in
  ${CMAKE_BINARY_DIR}/packaging/uninstall.cmake @ONLY)
add_custom_target(kestavo_uninstall
  COMMAND ${CMAKE_COMMAND} -P ${CMAKE_BINARY_DIR}/packaging/uninstall.cmake
  COMMENT "Unregistering the components and removing the installed files"
  USES_TERMINAL)

# The Debian package. Its maintainer scripts register at installation and
# unregister at removal; the runtime dependencies come from dpkg-shlibdeps.
set(KESTAVO_PKG_PREFIX /usr)
set(KESTAVO_PKG_BINDIR ${KESTAVO_PKG_PREFIX}/${CMAKE_INSTALL_BINDIR})
set(KESTAVO_PKG_LIBDIR ${KESTAVO_PKG_PREFIX}/${KESTAVO_PRIVATE_LIBDIR})
if(NOT KESTAVO_MACHINE_HIVE_DIR)
  set(KESTAVO_MACHINE_HIVE_DIR /var/lib/kestavo)
endif()
set(_scripts)
foreach(_script postinst prerm postrm)
  configure_file(${KESTAVO_PACKAGING_DIR}/debian/${_script}.in ${CMAKE_BINARY_DIR}/packaging/debian/${_script}
    @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  list(APPEND _scripts ${CMAKE_BINARY_DIR}/packaging/debian/${_script})
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kestavo)
set(CPACK_PACKAGE_VENDOR "Tandrel Technologies Inc.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Arithmetic drill game for classroom whiteboards")
set(CPACK_PACKAGE_DESCRIPTION
  "Kestavo drills the four operations for primary-school pupils. Answers are written\n"
  "with a whiteboard pen and recognised as digits, or typed. The package includes the\n"
  "pen input control, the board software and the handwriting recogniser.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGE_CONTACT "Tandrel Technologies Inc. <support@tandrel.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX ${KESTAVO_PKG_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The private libraries resolve against each other, not against a package.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS
  ${CMAKE_BINARY_DIR}/_CPack_Packages/Linux/DEB/kestavo-${PROJECT_VERSION}-Linux${KESTAVO_PKG_LIBDIR})
# Stand-ins for the fonts the program draws with.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, fonts-comic-neue")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${_scripts})
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
