# Installs the calculator like a Linux desktop program: the executables, the data
# files and the User Guide together in one folder (they find each other there),
# the two commands linked into bin, their manual pages, a desktop entry with its
# AppStream metadata, the MIME type of session files, the icons and the bash
# completion of eee-calc-cli; and describes the Debian package.
set(EEE_INSTALL_DIR lib/varn-eee-calc)
set(EEE_DOC_DIR share/doc/varn-eee-calc)
set(EEE_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(EEE_PACKAGING_BUILD_DIR ${CMAKE_BINARY_DIR}/packaging)
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

# Compressed as Debian wants them: the best compression, no name or time stamp inside.
find_program(EEE_GZIP gzip REQUIRED)

# The manual pages, made at build time by help2man from each program's --help
# and --version, with the extra sections of packaging/<program>.h2m.
find_program(EEE_HELP2MAN help2man)
set(summary_varn-eee-calc "plan EEPROM emulation in the flash of the Varn family")
set(summary_eee-calc-cli "evaluate Varn EEE Calculator session files without a window")
if(EEE_HELP2MAN)
  set(man_pages)
  foreach(program ${EEE_INSTALLED_PROGRAMS})
    set(page ${EEE_PACKAGING_BUILD_DIR}/man/${program}.1)
    add_custom_command(OUTPUT ${page}.gz
      COMMAND ${CMAKE_COMMAND} -E make_directory ${EEE_PACKAGING_BUILD_DIR}/man
      COMMAND ${EEE_HELP2MAN} --no-info "--name=${summary_${program}}"
              --include=${EEE_PACKAGING_DIR}/${program}.h2m --output=${page}
              "${EEE_PACKAGING_DIR}/man-help.sh $<TARGET_FILE:${program}>"
      COMMAND ${EEE_GZIP} -9nf ${page}
      DEPENDS ${program} ${EEE_PACKAGING_DIR}/man-help.sh ${EEE_PACKAGING_DIR}/${program}.h2m
      VERBATIM)
    list(APPEND man_pages ${page}.gz)
  endforeach()
  add_custom_target(man_pages ALL DEPENDS ${man_pages})
  install(FILES ${man_pages} DESTINATION share/man/man1)
else()
  message(STATUS "help2man not found: the manual pages are not made (make deps installs it)")
endif()

# The package's change log carries the project's version; its date is the
# configuration's (SOURCE_DATE_EPOCH when set, for a reproducible package).
string(TIMESTAMP EEE_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${EEE_PACKAGING_DIR}/changelog.in ${EEE_PACKAGING_BUILD_DIR}/changelog @ONLY)
add_custom_command(OUTPUT ${EEE_PACKAGING_BUILD_DIR}/changelog.gz
  COMMAND ${EEE_GZIP} -9nkf ${EEE_PACKAGING_BUILD_DIR}/changelog
  DEPENDS ${EEE_PACKAGING_BUILD_DIR}/changelog
  VERBATIM)
add_custom_target(package_changelog ALL DEPENDS ${EEE_PACKAGING_BUILD_DIR}/changelog.gz)
install(FILES ${EEE_PACKAGING_BUILD_DIR}/changelog.gz ${EEE_PACKAGING_DIR}/copyright
  DESTINATION ${EEE_DOC_DIR})

# Desktop integration: the program in the menus, session files recognised by
# their content and opened with it.
install(FILES ${CMAKE_SOURCE_DIR}/res/varn-eee-calc.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/res/varn-eee-calc.png DESTINATION share/icons/hicolor/64x64/apps)
install(FILES ${CMAKE_SOURCE_DIR}/res/varn-eee-calc.png DESTINATION share/icons/hicolor/64x64/mimetypes
  RENAME application-x-varn-eee-session.png)
install(FILES ${EEE_PACKAGING_DIR}/varn-eee-calc-mime.xml DESTINATION share/mime/packages
  RENAME varn-eee-calc.xml)
# The calculator as software centres list it (AppStream), and the completion of
# eee-calc-cli's commands and options in bash.
install(FILES ${EEE_PACKAGING_DIR}/com.corvant.varn_eee_calc.metainfo.xml DESTINATION share/metainfo)
if(TARGET eee-calc-cli)
  install(FILES ${EEE_PACKAGING_DIR}/eee-calc-cli.bash-completion
    DESTINATION share/bash-completion/completions RENAME eee-calc-cli)
endif()
# An install into a prefix brings that prefix's MIME and desktop databases up to
# date. A staged install (DESTDIR, or CPack's) does not: there the system's own
# triggers do it when the package is installed, as for every Debian package.
install(CODE [[
  if("$ENV{DESTDIR}" STREQUAL "" AND NOT CPACK_TOPLEVEL_DIRECTORY)
    find_program(update_mime update-mime-database)
    find_program(update_desktop update-desktop-database)
    if(update_mime)
      message(STATUS "Updating the MIME database in ${CMAKE_INSTALL_PREFIX}/share/mime")
      execute_process(COMMAND ${update_mime} "${CMAKE_INSTALL_PREFIX}/share/mime"
        OUTPUT_QUIET ERROR_QUIET)
    endif()
    if(update_desktop)
      message(STATUS "Updating the desktop database in ${CMAKE_INSTALL_PREFIX}/share/applications")
      execute_process(COMMAND ${update_desktop} -q "${CMAKE_INSTALL_PREFIX}/share/applications")
    endif()
  endif()
]])

set(CPACK_PACKAGE_NAME varn-eee-calc)
set(CPACK_PACKAGE_VENDOR "Corvant Semiconductor Inc.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "EEPROM emulation planner for the Varn flash family")
file(READ ${EEE_PACKAGING_DIR}/description.txt CPACK_PACKAGE_DESCRIPTION)
set(CPACK_PACKAGE_CONTACT "Corvant Semiconductor Inc. <support@corvant.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# The shared libraries' packages are found by dpkg-shlibdeps; Qt's platform
# plugins and the fonts are loaded at run time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-core, fonts-dejavu-extra")
# The programs go stripped into the package. (CMake's own -dbgsym package is not
# made: a Release build has no debug information to put there, and CPack 3.25
# writes that package's md5sums with the wrong paths.)
set(CPACK_STRIP_FILES ON)
include(CPack)
