# The libFuzzer targets, one per reader of outside bytes, each linked with the library that holds
# its reader. Included by fuzz/CMakeLists.txt (a clang project of its own) and by the main build
# with MORVANE_FUZZ (where the display-free tests are built with the same instrumentation).
set(MORVANE_FUZZ_TARGETS
  fuzz_exif:morvane_metadata fuzz_exif_file:morvane_metadata fuzz_id3:morvane_metadata
  fuzz_mpeg:morvane_metadata fuzz_rnp:morvane_settingsfiles fuzz_srl:morvane_replacelists
  fuzz_program_files:morvane_mainwin fuzz_tamsel_registry:tamsel_objects
  fuzz_tamsel_drop:tamsel_objects fuzz_path_names:morvane_platform fuzz_exifdump:morvane_metadata)
foreach(entry ${MORVANE_FUZZ_TARGETS})
  string(REPLACE ":" ";" parts ${entry})
  list(GET parts 0 target)
  list(GET parts 1 library)
  add_executable(${target} ${CMAKE_CURRENT_LIST_DIR}/${target}.cpp)
  set_target_properties(${target} PROPERTIES AUTOMOC OFF AUTORCC OFF AUTOUIC OFF)
  target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(${target} PRIVATE ${library})
  target_link_options(${target} PRIVATE -fsanitize=fuzzer)
endforeach()
