# Where an install puts Quorvel, relative to the prefix, as the Filesystem Hierarchy Standard
# places games: the programs in games/, their read-only data in share/games/quorvel. The programs
# find the data through the path from their own folder to the data folder, compiled in here, so
# the prefix can still move (cmake --install --prefix, a package's staging folder).
include(GNUInstallDirs)
set(QUORVEL_INSTALL_BINDIR games CACHE STRING
    "Where the game and quorvel-tool are installed, relative to the prefix")
set(QUORVEL_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/games/quorvel CACHE STRING
    "Where the game's data is installed, relative to the prefix")
# The sound module is architecture-dependent and private to the game: lib/games, where Debian
# keeps games' such files (and outside ldconfig's folders, so the package needs no ldconfig).
set(QUORVEL_INSTALL_MODULEDIR lib/games/quorvel CACHE STRING
    "Where the game's sound module is installed, relative to the prefix")
foreach(dir QUORVEL_INSTALL_BINDIR QUORVEL_INSTALL_DATADIR QUORVEL_INSTALL_MODULEDIR)
  if(IS_ABSOLUTE "${${dir}}")
    message(FATAL_ERROR "${dir} must be relative to the install prefix: ${${dir}}")
  endif()
endforeach()
file(RELATIVE_PATH QUORVEL_INSTALLED_DATA
     /prefix/${QUORVEL_INSTALL_BINDIR} /prefix/${QUORVEL_INSTALL_DATADIR})
target_compile_definitions(quorvel_base PRIVATE QUORVEL_INSTALLED_DATA="${QUORVEL_INSTALLED_DATA}")
file(RELATIVE_PATH QUORVEL_INSTALLED_MODULES
     /prefix/${QUORVEL_INSTALL_BINDIR} /prefix/${QUORVEL_INSTALL_MODULEDIR})
