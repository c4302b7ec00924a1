# Installs the calculator like a Linux desktop program: the executables, the data
# files and the User Guide together in one folder (they find each other there),
# the two commands linked into bin, a desktop entry and the icon.
set(EEE_INSTALL_DIR lib/varn-eee-calc)
# Installing and packaging take what is built; they need not build the tests first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(EEE_INSTALLED_PROGRAMS varn-eee-calc)
if(TARGET eee-calc-cli)
  list(APPEND EEE_INSTALLED_PROGRAMS eee-calc-cli)
endif()
install(TARGETS ${EEE_INSTALLED_PROGRAMS} RUNTIME DESTINATION ${EEE_INSTALL_DIR})
install(FILES ${EEE_DATA_FILES} DESTINATION ${EEE_INSTALL_DIR})
install(FILES ${EEE_MODULE_DIR}/Help/help_Varn_EEE_Calc.pdf DESTINATION ${EEE_INSTALL_DIR}/Help)

set(link_dir ${CMAKE_BINARY_DIR}/install-links)
file(MAKE_DIRECTORY ${link_dir})
foreach(program ${EEE_INSTALLED_PROGRAMS})
  file(CREATE_LINK ../${EEE_INSTALL_DIR}/${program} ${link_dir}/${program} SYMBOLIC)
  install(FILES ${link_dir}/${program} DESTINATION bin)
endforeach()

install(FILES ${CMAKE_SOURCE_DIR}/res/varn-eee-calc.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/res/varn-eee-calc.png DESTINATION share/icons/hicolor/64x64/apps)

set(CPACK_PACKAGE_NAME varn-eee-calc)
set(CPACK_PACKAGE_VENDOR "Corvant Semiconductor Inc.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "EEPROM emulation planner for the Varn flash family")
set(CPACK_PACKAGE_CONTACT "Corvant Semiconductor Inc. <support@corvant.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# The shared libraries' packages are found by dpkg-shlibdeps; Qt's platform
# plugins and the fonts are loaded at run time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-core, fonts-dejavu-extra")
include(CPack)
