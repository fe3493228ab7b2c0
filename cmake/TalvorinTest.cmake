# talvorin_add_test(NAME name SOURCES ... LIBS ... [LABELS ...] [DISPLAY])
# Builds a QtTest executable and registers it. Without DISPLAY the test runs offscreen.
function(talvorin_add_test)
  cmake_parse_arguments(T "DISPLAY" "NAME;TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${T_NAME} PRIVATE Qt5::Test ${T_LIBS})
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  # No test reaches the real download server: one that wants a server starts its own on
  # 127.0.0.1 and points TALVORIN_UPDATE_SERVER at it; the rest meet a refused connection.
  set(env "TALVORIN_TEST=1" "TALVORIN_UPDATE_SERVER=http://127.0.0.1:9")
  # Nor the Steam image server, nor the user's own Steam library: a test that wants games
  # makes a library of its own and points TALVORIN_STEAM_ROOT at it.
  list(APPEND env "TALVORIN_STEAM_IMAGE_SERVER=http://127.0.0.1:9" "TALVORIN_STEAM_ROOT=${CMAKE_BINARY_DIR}/no-steam-library")
  # Nor the desktop the tests were started from: no reader calls its compositor on its session
  # bus. A test of those readers sets the session it plays and runs on a bus of its own.
  list(APPEND env "XDG_SESSION_TYPE=" "XDG_CURRENT_DESKTOP=")
  # Only DISPLAY tests see the X server ./test.sh starts, one at a time: they inject real key
  # events, which another test on the same server would receive. The rest run offscreen and
  # find no X display at all, so nothing they do reaches the shared server.
  if(NOT T_DISPLAY)
    list(APPEND env "QT_QPA_PLATFORM=offscreen" "QT_QUICK_BACKEND=software" "DISPLAY=")
  endif()
  set_tests_properties(${T_NAME} PROPERTIES ENVIRONMENT "${env}")
  if(T_DISPLAY)
    set_tests_properties(${T_NAME} PROPERTIES RESOURCE_LOCK shared_x_display)
  endif()
  if(T_TIMEOUT)
    set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT})
  endif()
  if(T_LABELS)
    set_tests_properties(${T_NAME} PROPERTIES LABELS "${T_LABELS}")
  endif()
endfunction()
