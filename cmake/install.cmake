# Installation and packaging.
#
# The program runs from one folder that holds the executable, "Komponenty/stdkmp.komp" (read
# relative to the working directory) and "Protokol" (written beside the executable):
#   Linux:   <prefix>/lib/lumor/{lumor, Komponenty/stdkmp.komp, Protokol/ORV.gif}
#            <prefix>/bin/lumor       the launcher: starts the program in that folder, or in a
#                                     per-user copy when "Protokol" is not writable
#            <prefix>/bin/lumor-cli
#            <prefix>/share/{applications, mime/packages, icons/hicolor/scalable}
#   Windows: <prefix>/{lumor.exe, lumor-cli.exe, Komponenty, Protokol, translations/qtbase_cs.qm}
#            and, with windeployqt found (scripts/build-windows.sh copies them itself), the Qt
#            libraries and plugins beside them.
# `cpack -G DEB` in a build configured for Linux makes the Debian package lumor_<version>_<arch>.deb.
include(GNUInstallDirs)

if(WIN32)
  set(LUMOR_INSTALL_PROGRAM_DIR "." CACHE STRING
    "Folder of the program (executable, Komponenty, Protokol), relative to the prefix")
  set(LUMOR_INSTALL_CLI_DIR "." CACHE STRING "Folder of lumor-cli, relative to the prefix")
else()
  set(LUMOR_INSTALL_PROGRAM_DIR "lib/lumor" CACHE STRING
    "Folder of the program (executable, Komponenty, Protokol), relative to the prefix")
  set(LUMOR_INSTALL_CLI_DIR "${CMAKE_INSTALL_BINDIR}" CACHE STRING
    "Folder of lumor-cli, relative to the prefix")
endif()
if(IS_ABSOLUTE "${LUMOR_INSTALL_PROGRAM_DIR}")
  message(FATAL_ERROR "LUMOR_INSTALL_PROGRAM_DIR must be relative to the prefix: the launcher "
    "finds the program from its own place")
endif()

# The one place that decides where the program folder is seen from a folder of executables:
# the launcher (in bin/) and lumor-cli (in LUMOR_INSTALL_CLI_DIR) find it by this relative
# path, "../lib/lumor" on Linux, "" (the same folder) on Windows.
function(lumor_program_dir_from out_var from_dir)
  file(RELATIVE_PATH relative "/${from_dir}" "/${LUMOR_INSTALL_PROGRAM_DIR}")
  set(${out_var} "${relative}" PARENT_SCOPE)
endfunction()
lumor_program_dir_from(LUMOR_LAUNCHER_TO_PROGRAM "${CMAKE_INSTALL_BINDIR}")
lumor_program_dir_from(LUMOR_CLI_TO_PROGRAM "${LUMOR_INSTALL_CLI_DIR}")
if(TARGET lumor-cli)
  # The report's logo: beside the tool in the build tree, in the program folder when installed.
  target_compile_definitions(lumor-cli PRIVATE LUMOR_CLI_TO_PROGRAM="${LUMOR_CLI_TO_PROGRAM}")
endif()

if(TARGET lumor)
  install(TARGETS lumor RUNTIME DESTINATION "${LUMOR_INSTALL_PROGRAM_DIR}")
endif()
if(TARGET lumor_standard_library)
  install(FILES "${LUMOR_BIN_DIR}/Komponenty/stdkmp.komp"
    DESTINATION "${LUMOR_INSTALL_PROGRAM_DIR}/Komponenty")
endif()
# The report folder exists even without the logo.
install(DIRECTORY DESTINATION "${LUMOR_INSTALL_PROGRAM_DIR}/Protokol")
if(TARGET lumor_report_logo)
  install(FILES "${LUMOR_BIN_DIR}/Protokol/ORV.gif"
    DESTINATION "${LUMOR_INSTALL_PROGRAM_DIR}/Protokol")
endif()
if(TARGET lumor-cli)
  install(TARGETS lumor-cli RUNTIME DESTINATION "${LUMOR_INSTALL_CLI_DIR}")
endif()

if(UNIX AND NOT APPLE)
  # The launcher finds the program folder relative to its own (resolved) place, so an
  # installation tree can be moved or unpacked anywhere.
  configure_file(${PROJECT_SOURCE_DIR}/packaging/lumor.sh.in
    ${PROJECT_BINARY_DIR}/packaging/lumor @ONLY)
  install(PROGRAMS ${PROJECT_BINARY_DIR}/packaging/lumor DESTINATION "${CMAKE_INSTALL_BINDIR}")

  install(FILES ${PROJECT_SOURCE_DIR}/packaging/lumor.desktop
    DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/lumor-mime.xml
    DESTINATION "${CMAKE_INSTALL_DATADIR}/mime/packages" RENAME lumor.xml)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/icons/lumor.svg
    DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")
  install(FILES
    ${PROJECT_SOURCE_DIR}/packaging/icons/application-x-lumor-route.svg
    ${PROJECT_SOURCE_DIR}/packaging/icons/application-x-lumor-library.svg
    DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/mimetypes")

  if(LUMOR_BUILD_TESTS)
    add_test(NAME launcher_test
      COMMAND ${PROJECT_SOURCE_DIR}/packaging/launcher-test.sh
              ${PROJECT_SOURCE_DIR}/packaging/lumor.sh.in)
  endif()
endif()

# The publisher named by the Windows program's version information, its installer and the packages.
set(LUMOR_PUBLISHER "Lumor project")

if(WIN32 AND TARGET lumor)
  # lumor.exe's version information and, given the icons as .ico files (scripts/build-windows.sh
  # renders packaging/icons into them), its icon and those of its file types.
  set(LUMOR_WINDOWS_ICONS "" CACHE PATH
    "Folder of lumor.ico, application-x-lumor-route.ico and application-x-lumor-library.ico")
  set(LUMOR_RC_ICONS "")
  set(lumor_icon_files "")
  if(LUMOR_WINDOWS_ICONS)
    set(lumor_icon_id_lumor IDI_ICON1)
    set(lumor_icon_id_application-x-lumor-route 2)
    set(lumor_icon_id_application-x-lumor-library 3)
    foreach(icon lumor application-x-lumor-route application-x-lumor-library)
      string(APPEND LUMOR_RC_ICONS "${lumor_icon_id_${icon}} ICON \"${LUMOR_WINDOWS_ICONS}/${icon}.ico\"\n")
      list(APPEND lumor_icon_files "${LUMOR_WINDOWS_ICONS}/${icon}.ico")
    endforeach()
  endif()
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/lumor.rc.in
    ${PROJECT_BINARY_DIR}/packaging/lumor.rc @ONLY)
  enable_language(RC)
  target_sources(lumor PRIVATE ${PROJECT_BINARY_DIR}/packaging/lumor.rc)
  set_source_files_properties(${PROJECT_BINARY_DIR}/packaging/lumor.rc PROPERTIES
    OBJECT_DEPENDS "${lumor_icon_files}")
endif()

if(WIN32 AND TARGET lumor)
  # Qt's Czech for its dialogs and buttons: the program loads qtbase_cs from Qt's translations
  # folder, which is "translations" beside lumor.exe when Qt's DLLs lie beside it.
  set(LUMOR_QT_TRANSLATIONS_DIR "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_TRANSLATIONS}" CACHE PATH
    "Folder of Qt's qtbase_cs.qm, installed into translations beside lumor.exe")
  if(EXISTS "${LUMOR_QT_TRANSLATIONS_DIR}/qtbase_cs.qm")
    install(FILES "${LUMOR_QT_TRANSLATIONS_DIR}/qtbase_cs.qm"
      DESTINATION "${LUMOR_INSTALL_PROGRAM_DIR}/translations")
  else()
    message(WARNING "No qtbase_cs.qm in ${LUMOR_QT_TRANSLATIONS_DIR}: Qt's dialogs and buttons "
      "stay English (set LUMOR_QT_TRANSLATIONS_DIR)")
  endif()
endif()

if(WIN32 AND TARGET lumor)
  # The Qt libraries and plugins beside lumor.exe, so the installed folder runs on its own.
  find_program(LUMOR_WINDEPLOYQT windeployqt HINTS "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}")
  if(LUMOR_WINDEPLOYQT)
    install(CODE "
      execute_process(
        COMMAND \"${LUMOR_WINDEPLOYQT}\" --no-translations --no-system-d3d-compiler
                \"\${CMAKE_INSTALL_PREFIX}/${LUMOR_INSTALL_PROGRAM_DIR}/$<TARGET_FILE_NAME:lumor>\"
        RESULT_VARIABLE lumor_windeployqt_result)
      if(NOT lumor_windeployqt_result EQUAL 0)
        message(FATAL_ERROR \"windeployqt failed: \${lumor_windeployqt_result}\")
      endif()")
  endif()
endif()

# The Debian package (cpack -G DEB); a ZIP of the installed folder elsewhere.
set(CPACK_PACKAGE_NAME lumor)
set(CPACK_PACKAGE_VENDOR "${LUMOR_PUBLISHER}")
set(CPACK_PACKAGE_CONTACT "Lumor project <lumor@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "teaching tool for the design of optical fibre routes")
set(CPACK_PACKAGE_DESCRIPTION
  "Lumor is a desktop teaching tool for the course on transmission media. A student designs an
optical fibre route from a catalogue of sources, fibres, detectors, connectors and amplifiers,
evaluates its attenuation, chromatic dispersion and polarisation mode dispersion, looks at the
three profiles as graphs and writes an HTML measurement report. The user interface is Czech.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Lumor)
set(CPACK_STRIP_FILES ON)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
else()
  set(CPACK_GENERATOR DEB)
endif()
# The Debian package installs below /usr; the ZIP holds the installed folder itself, lumor.exe
# at its top beside Komponenty and Protokol.
if(NOT WIN32)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
endif()
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Lumor project <lumor@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The shared libraries (Qt 6, libstdc++) come from dpkg-shlibdeps (package dpkg-dev); Qt loads
# its platform plugins and the SVG icon engine (libqt6svg6, for the icons) at run time, so they
# are not found that way and are named here; so are
# the windows' fonts (Liberation Sans and Sans Narrow), the pictures' font (DejaVu Sans) and
# Qt's Czech translation of its dialogs and buttons.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6, fonts-liberation, fonts-dejavu-core, qt6-translations-l10n")
# The report opens in the default viewer through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
include(CPack)
