# Qt's headers are most of what the game's files compile: the game's libraries and the Qt Test
# programs each parse them once, in a precompiled header, instead of once a file.
# QUORVEL_PRECOMPILE=OFF turns it off (for example to check each file's own includes).
option(QUORVEL_PRECOMPILE "Precompile the Qt headers of the game and its tests" ON)
if(NOT QUORVEL_PRECOMPILE)
  return()
endif()
set(QUORVEL_QT_HEADERS
  <QAction> <QApplication> <QCheckBox> <QColor> <QDialog> <QDir> <QFile> <QLabel> <QPainter>
  <QPushButton> <QSlider> <QString> <QTimer> <QVBoxLayout> <QWidget>
  <memory> <string> <vector>)
# The game's rooms share one: the lowest room makes it, the others reuse it.
target_precompile_headers(quorvel_app_support PRIVATE ${QUORVEL_QT_HEADERS})
foreach(room settings audio news board dialogs window)
  target_precompile_headers(quorvel_app_${room} REUSE_FROM quorvel_app_support)
endforeach()
if(NOT BUILD_TESTING)
  return()
endif()
get_property(app_tests DIRECTORY ${PROJECT_SOURCE_DIR}/tests/app PROPERTY BUILDSYSTEM_TARGETS)
set(first_test "")
foreach(test ${app_tests})
  if(first_test STREQUAL "")
    set(first_test ${test})
    target_precompile_headers(${test} PRIVATE ${QUORVEL_QT_HEADERS} <QtTest>)
  else()
    target_precompile_headers(${test} REUSE_FROM ${first_test})
  endif()
endforeach()
