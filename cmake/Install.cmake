# Installing Quorvel: the executables and their data together in LIBDIR/quorvel, launchers in
# BINDIR, and the desktop entry, icons, metainfo and manual page where desktops look for them.
# `cpack -G DEB` in the build folder turns the same install into a Debian package.
include(GNUInstallDirs)
set(QUORVEL_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/quorvel)
install(TARGETS quorvel quorvel-tool RUNTIME DESTINATION ${QUORVEL_INSTALL_DIR})
install(TARGETS quorvel_audio LIBRARY DESTINATION ${QUORVEL_INSTALL_DIR}) # the sound module
install(DIRECTORY data/ DESTINATION ${QUORVEL_INSTALL_DIR} PATTERN ".keep" EXCLUDE)

# The launchers are relative symbolic links: the programs find their data through
# /proc/self/exe, which names the link's target, so the prefix can move.
file(RELATIVE_PATH QUORVEL_BIN_TO_PROGRAM
     ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR} ${CMAKE_INSTALL_PREFIX}/${QUORVEL_INSTALL_DIR})
foreach(program quorvel quorvel-tool)
  set(link ${CMAKE_BINARY_DIR}/launchers/${program})
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/launchers)
  file(CREATE_LINK ${QUORVEL_BIN_TO_PROGRAM}/${program} ${link} SYMBOLIC)
  install(FILES ${link} DESTINATION ${CMAKE_INSTALL_BINDIR})
endforeach()

set(QUORVEL_APP_ID example.quorvel.Quorvel)
install(FILES desktop/${QUORVEL_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES desktop/${QUORVEL_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES desktop/${QUORVEL_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 48x48 256x256)
  install(FILES desktop/icons/${size}/${QUORVEL_APP_ID}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}/apps)
endforeach()
install(FILES desktop/quorvel-tool.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# --- the Debian package ----------------------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvel)
set(CPACK_PACKAGE_VENDOR "Quorvel")
set(CPACK_PACKAGE_CONTACT "Quorvel <support@quorvel.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "word puzzle: find the hidden words in scrambled columns")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# SDL2_mixer (sound) is linked, so shlibdeps finds its package; these are loaded at run time.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-core")
include(CPack)

if(NOT BUILD_TESTING)
  return()
endif()
# The desktop files are checked by Debian's validators where they are installed.
foreach(check
    "desktop_entry|desktop-file-validate|desktop/example.quorvel.Quorvel.desktop"
    "metainfo|appstreamcli validate --no-net|desktop/example.quorvel.Quorvel.metainfo.xml")
  string(REPLACE "|" ";" parts "${check}")
  list(GET parts 0 name)
  list(GET parts 1 validator)
  list(GET parts 2 file)
  separate_arguments(validator_words UNIX_COMMAND "${validator}")
  list(GET validator_words 0 program)
  add_test(NAME ${name}
           COMMAND sh -c "command -v ${program} >/dev/null || { echo '${program} is not installed: skipped'; exit 77; }; exec ${validator} \"$0\""
                   ${CMAKE_SOURCE_DIR}/${file})
  set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77)
endforeach()

# An installed, read-only game keeps the player's files in the player's own folder.
add_executable(installed_game tests/install/installed_game.cpp)
target_link_libraries(installed_game PRIVATE quorvel_app quorvel_warnings)
add_test(NAME install_per_user_files
         COMMAND ${CMAKE_SOURCE_DIR}/tests/install/check_installed.sh ${CMAKE_BINARY_DIR}
                 $<TARGET_FILE:installed_game>)
set_tests_properties(install_per_user_files PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 120)
