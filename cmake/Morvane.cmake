# morvane_test(<name> SOURCES <files...> LIBS <targets...> [GUI])
# One GoogleTest executable registered with CTest. GUI tests get a QApplication and run on the
# offscreen platform; they are left out of display-free builds.
function(morvane_test name)
  cmake_parse_arguments(T "GUI" "" "SOURCES;LIBS" ${ARGN})
  if(T_GUI AND MORVANE_CORE_ONLY)
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  if(T_GUI)
    target_link_libraries(${name} PRIVATE morvane_test_main_gui ${T_LIBS})
  else()
    target_link_libraries(${name} PRIVATE morvane_test_main_core ${T_LIBS})
  endif()
  target_compile_options(${name} PRIVATE -include ${PROJECT_SOURCE_DIR}/tests/support/QtPrinters.h)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;MORVANE_SOURCE_DIR=${PROJECT_SOURCE_DIR};MORVANE_BINARY_DIR=${PROJECT_BINARY_DIR}"
    TIMEOUT 600)
endfunction()
