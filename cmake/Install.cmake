# Installing Quorvel where the Filesystem Hierarchy Standard puts games (cmake/InstallDirs.cmake):
# the game and quorvel-tool in games/, their data in share/games/quorvel with the marker that
# tells the programs they are installed, the desktop entry, icons, metainfo, manual pages and the
# package's documentation where Debian looks for them. `cpack` in a build folder made for it
# (tools/make-package.sh) turns the same install into a Debian package.
install(TARGETS quorvel quorvel-tool RUNTIME DESTINATION ${QUORVEL_INSTALL_BINDIR})
# The sound and news modules, loaded by the game when it first needs them, are private to it.
set(QUORVEL_MODULES quorvel_audio)
if(TARGET quorvel_news)
  list(APPEND QUORVEL_MODULES quorvel_news)
endif()
install(TARGETS ${QUORVEL_MODULES} LIBRARY DESTINATION ${QUORVEL_INSTALL_MODULEDIR})
set(QUORVEL_MODULE_FILES)
foreach(module ${QUORVEL_MODULES})
  list(APPEND QUORVEL_MODULE_FILES ${QUORVEL_INSTALL_MODULEDIR}/${module}.so)
endforeach()
# A stripping install (cpack, cmake --install --strip) also drops the compiler's .comment
# section, which strip leaves in and Debian's own packaging tools take out.
set(strip_comments [[
if(CMAKE_INSTALL_DO_STRIP)
  foreach(file @QUORVEL_INSTALL_BINDIR@/quorvel @QUORVEL_INSTALL_BINDIR@/quorvel-tool
               @QUORVEL_MODULE_FILES@)
    execute_process(COMMAND "@CMAKE_OBJCOPY@" --remove-section=.comment
                            "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${file}"
                    COMMAND_ERROR_IS_FATAL ANY)
  endforeach()
endif()
]])
string(CONFIGURE "${strip_comments}" strip_comments @ONLY)
install(CODE "${strip_comments}")
# The licence notices beside the data are in the package's copyright file instead.
install(DIRECTORY data/ DESTINATION ${QUORVEL_INSTALL_DATADIR}
        PATTERN ".keep" EXCLUDE PATTERN "LICENSE.*" EXCLUDE)
set(QUORVEL_MARKER ${CMAKE_BINARY_DIR}/packaging/quorvel.installed)
file(WRITE ${QUORVEL_MARKER}
     "This file tells Quorvel that it is installed: each player's settings, statistics and\n"
     "other files are then kept in ~/.local/share/Quorvel, never in this folder.\n")
install(FILES ${QUORVEL_MARKER} DESTINATION ${QUORVEL_INSTALL_DATADIR})

set(QUORVEL_APP_ID example.quorvel.Quorvel)
install(FILES desktop/${QUORVEL_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES desktop/${QUORVEL_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES desktop/${QUORVEL_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 48x48 256x256)
  install(FILES desktop/icons/${size}/${QUORVEL_APP_ID}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}/apps)
endforeach()

# Manual pages and the changelog are installed compressed, as Debian wants them: gzip -9n
# leaves out the name and time, so the same sources give the same bytes.
set(QUORVEL_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/quorvel)
set(compressed)
foreach(page "desktop/quorvel.6|man6" "desktop/quorvel-tool.1|man1" "packaging/changelog|doc")
  string(REPLACE "|" ";" parts "${page}")
  list(GET parts 0 source)
  list(GET parts 1 section)
  get_filename_component(name ${source} NAME)
  set(output ${CMAKE_BINARY_DIR}/packaging/${name}.gz)
  add_custom_command(OUTPUT ${output}
                     COMMAND sh -c "gzip -9nc \"$0\" >\"$1\"" ${CMAKE_SOURCE_DIR}/${source} ${output}
                     DEPENDS ${CMAKE_SOURCE_DIR}/${source} VERBATIM)
  list(APPEND compressed ${output})
  if(section STREQUAL "doc")
    install(FILES ${output} DESTINATION ${QUORVEL_DOC_DIR})
  else()
    install(FILES ${output} DESTINATION ${CMAKE_INSTALL_MANDIR}/${section})
  endif()
endforeach()
add_custom_target(quorvel_compressed_docs ALL DEPENDS ${compressed})

# The machine-readable copyright file: the game's own licence and every data source's, the
# SCOWL notice taken from the copy beside the data (one space in front of each line, and a
# lone dot for an empty one, as the format asks).
set(QUORVEL_HOMEPAGE https://www.quorvel.example)
set(CPACK_PACKAGE_CONTACT "Quorvel <support@quorvel.example>")
file(READ data/kbs/LICENSE.SCOWL.txt QUORVEL_SCOWL_LICENSE)
string(REGEX REPLACE "[ \t\r]+\n" "\n" QUORVEL_SCOWL_LICENSE "${QUORVEL_SCOWL_LICENSE}")
string(STRIP "${QUORVEL_SCOWL_LICENSE}" QUORVEL_SCOWL_LICENSE)
string(REPLACE "\n" "\n " QUORVEL_SCOWL_LICENSE " ${QUORVEL_SCOWL_LICENSE}")
foreach(pass 1 2) # a second pass for the second of two empty lines in a row
  string(REPLACE "\n \n" "\n .\n" QUORVEL_SCOWL_LICENSE "${QUORVEL_SCOWL_LICENSE}")
endforeach()
configure_file(packaging/copyright.in ${CMAKE_BINARY_DIR}/packaging/copyright @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/copyright DESTINATION ${QUORVEL_DOC_DIR})

# --- the Debian package ----------------------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvel)
set(CPACK_PACKAGE_VENDOR "Quorvel")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "word puzzle: find the hidden words in scrambled columns")
set(CPACK_PACKAGE_DESCRIPTION [=[
Quorvel is a single-player word puzzle. A board of letter tiles hides words
in its rows, and every column's letters have been scrambled. Rotate the
columns, lock letters and whole words once they stand right, and finish the
board before the move counter runs out.

It comes with 200 levels, from a 4 by 4 square to boards with several words
in every row; dictionaries of everyday words and of themes such as animals,
food, plants and geography; handicaps, timed games, clues, undo and a
statistics window of every game played; and tile styles, colours, fonts and
a background picture of the player's own.

The package also holds quorvel-tool, a command-line companion that dumps and
builds dictionaries, checks the levels, counts the statistics and plays the
game headless for replays and tests.]=])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${QUORVEL_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# SDL2_mixer (sound) and Qt Network (news) are linked by the modules, so shlibdeps finds their
# packages; these are loaded at run time.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-core")
# The binaries lose their symbols in the package (0.7 MB each instead of over 20 MB).
set(CPACK_STRIP_FILES ON)
# Folders as Debian has them, whatever the umask of whoever packs.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
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

# An installed game keeps the player's files in the player's own folder, even where it could
# write beside itself.
add_executable(installed_game tests/install/installed_game.cpp)
target_link_libraries(installed_game PRIVATE quorvel_app quorvel_warnings)
add_dependencies(installed_game quorvel quorvel-tool quorvel_compressed_docs) # what it installs
add_test(NAME install_per_user_files
         COMMAND ${CMAKE_SOURCE_DIR}/tests/install/check_installed.sh ${CMAKE_BINARY_DIR}
                 $<TARGET_FILE:installed_game>)
set_tests_properties(install_per_user_files PROPERTIES TIMEOUT 120)

# The Debian package, built in a folder of its own and checked with lintian: slow the first
# time (a release build of the game), so labelled for a quick run to leave out (-LE package).
set(package_arguments)
if(CMAKE_CXX_COMPILER_LAUNCHER)
  list(APPEND package_arguments -DCMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER})
endif()
add_test(NAME package_lintian
         COMMAND ${CMAKE_SOURCE_DIR}/tests/install/check_package.sh ${CMAKE_SOURCE_DIR}
                 ${CMAKE_BINARY_DIR}/package ${package_arguments})
set_tests_properties(package_lintian PROPERTIES LABELS package SKIP_RETURN_CODE 77 TIMEOUT 3600)
