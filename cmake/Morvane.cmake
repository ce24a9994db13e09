# morvane_test(<name> SOURCES <files...> LIBS <targets...> [GUI])
# Adds GoogleTest sources to their folder's test program: every folder builds one executable of
# display-free tests (<folder>_tests) and one of window tests (<folder>_window_tests), which get a
# QApplication and run on the offscreen platform and are left out of display-free builds. Each call
# makes an object library <name> of its sources, so the folder can still give it include folders,
# definitions or dependencies after the call; the executables are made when the folder's list file
# has been read. CTest runs every test case as a test of its own, in a process of its own.
include(GoogleTest)

set(MORVANE_TEST_LC_ALL "C.UTF-8" CACHE STRING
  "LC_ALL of every test run by CTest (empty: the caller's)")
option(MORVANE_TEST_PCH "Precompile the headers every test source includes" ON)
set(MORVANE_TEST_HOME "${PROJECT_BINARY_DIR}/test-home" CACHE PATH
  "Home folder of every test run by CTest, so that no test writes into the real one")

function(morvane_test name)
  cmake_parse_arguments(T "GUI" "" "SOURCES;LIBS" ${ARGN})
  if(T_GUI AND MORVANE_CORE_ONLY)
    return()
  endif()
  if(T_GUI)
    set(kind gui)
    # The window tests' support library brings QtTest (see tests/support).
    list(REMOVE_ITEM T_LIBS Qt6::Test)
  else()
    set(kind core)
  endif()
  # A helper source named by several calls of one folder is compiled once into its program.
  get_directory_property(seen MORVANE_TEST_SOURCES_${kind})
  set(sources)
  foreach(source IN LISTS T_SOURCES)
    get_filename_component(source ${source} ABSOLUTE)
    if(NOT source IN_LIST seen)
      list(APPEND sources ${source})
      list(APPEND seen ${source})
    endif()
  endforeach()
  set_directory_properties(PROPERTIES MORVANE_TEST_SOURCES_${kind} "${seen}")

  add_library(${name} OBJECT ${sources})
  # Moc runs only for sources (or their headers of the same name) that declare Qt objects: an empty
  # moc file per target costs a compile of its own.
  set(moc OFF)
  foreach(source IN LISTS sources)
    get_filename_component(header ${source} NAME_WLE)
    get_filename_component(folder ${source} DIRECTORY)
    foreach(file ${source} ${folder}/${header}.h)
      if(EXISTS ${file})
        file(STRINGS ${file} declares REGEX "Q_OBJECT|Q_GADGET|Q_NAMESPACE" LIMIT_COUNT 1)
        if(declares)
          set(moc ON)
        endif()
      endif()
    endforeach()
  endforeach()
  set_target_properties(${name} PROPERTIES AUTOMOC ${moc} AUTORCC OFF AUTOUIC OFF)
  target_link_libraries(${name} PUBLIC morvane_test_main_${kind} ${T_LIBS})
  morvane_test_headers(${name} ${kind})
  set_property(DIRECTORY APPEND PROPERTY MORVANE_TESTS_${kind} ${name})

  get_directory_property(deferred MORVANE_TESTS_DEFERRED)
  if(NOT deferred)
    set_directory_properties(PROPERTIES MORVANE_TESTS_DEFERRED ON)
    cmake_language(DEFER CALL morvane_test_programs)
  endif()
endfunction()

# The readable printers of Qt values go into every test source; they come precompiled together
# with GoogleTest and the Qt headers most tests use (built once by the support library).
function(morvane_test_headers target kind)
  morvane_test_options(${target})
  if(MORVANE_TEST_PCH)
    target_precompile_headers(${target} REUSE_FROM morvane_test_main_${kind})
  else()
    target_compile_options(${target} PRIVATE -include ${PROJECT_SOURCE_DIR}/tests/support/QtPrinters.h)
  endif()
endfunction()

# Test sources are compiled without optimisation (the code they test keeps it): that halves their
# compile time. Every test target takes the same options, so that the precompiled header fits.
function(morvane_test_options target)
  target_compile_options(${target} PRIVATE -O0)
endfunction()

# Deferred to the end of a tests/<folder>/CMakeLists.txt: the folder's test programs.
function(morvane_test_programs)
  get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  file(MAKE_DIRECTORY ${MORVANE_TEST_HOME})
  # The toolkit's runtime folder too, which it would otherwise make in the temporary folder; it
  # must be the user's alone.
  file(MAKE_DIRECTORY ${MORVANE_TEST_HOME}/.runtime)
  file(CHMOD ${MORVANE_TEST_HOME}/.runtime DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
  set(environment
    "QT_QPA_PLATFORM=offscreen"
    "MORVANE_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
    "MORVANE_BINARY_DIR=${PROJECT_BINARY_DIR}"
    "HOME=${MORVANE_TEST_HOME}"
    "XDG_CONFIG_HOME=${MORVANE_TEST_HOME}/.config"
    "XDG_DATA_HOME=${MORVANE_TEST_HOME}/.local/share"
    "XDG_CACHE_HOME=${MORVANE_TEST_HOME}/.cache"
    "XDG_STATE_HOME=${MORVANE_TEST_HOME}/.local/state"
    "XDG_RUNTIME_DIR=${MORVANE_TEST_HOME}/.runtime")
  if(NOT MORVANE_TEST_LC_ALL STREQUAL "")
    list(APPEND environment "LC_ALL=${MORVANE_TEST_LC_ALL}")
  endif()

  foreach(kind core gui)
    get_directory_property(parts MORVANE_TESTS_${kind})
    if(NOT parts)
      continue()
    endif()
    if(kind STREQUAL "gui")
      set(program ${folder}_window_tests)
      set(prefix ${folder}_window.)
    else()
      set(program ${folder}_tests)
      set(prefix ${folder}.)
    endif()
    add_executable(${program} ${PROJECT_SOURCE_DIR}/tests/support/test_main.cpp)
    set_target_properties(${program} PROPERTIES AUTOMOC OFF AUTORCC OFF AUTOUIC OFF)
    if(kind STREQUAL "gui")
      target_compile_definitions(${program} PRIVATE MORVANE_TEST_GUI)
    endif()
    morvane_test_headers(${program} ${kind})
    target_link_libraries(${program} PRIVATE ${parts})

    # Listing the tests builds no application object, so it needs no display.
    gtest_discover_tests(${program} TEST_PREFIX ${prefix} DISCOVERY_MODE PRE_TEST
      TEST_LIST ${program}_TESTS DISCOVERY_TIMEOUT 60)
    set(properties ${CMAKE_CURRENT_BINARY_DIR}/${program}_properties.cmake)
    file(WRITE ${properties}
      "if(${program}_TESTS)\n"
      "  set_tests_properties(\${${program}_TESTS} PROPERTIES\n"
      "    ENVIRONMENT \"${environment}\" TIMEOUT 600)\n"
      "endif()\n")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${properties})
  endforeach()
endfunction()
