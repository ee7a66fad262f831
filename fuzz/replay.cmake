# The ordinary build (any compiler) builds each fuzz target as a corpus
# replayer that CTest runs over its corpus in fuzz/corpus/<target>: every seed
# and every saved crash is checked on every test run, not only when fuzzing.
function(varnel_fuzz_replayer target)
  cmake_parse_arguments(arg "" "" "SOURCES;LIBS" ${ARGN})
  list(TRANSFORM arg_SOURCES PREPEND ${PROJECT_SOURCE_DIR}/)
  add_executable(${target}_fuzz_replay ${arg_SOURCES} ${PROJECT_SOURCE_DIR}/fuzz/corpus_replayer.cpp)
  target_link_libraries(${target}_fuzz_replay PRIVATE ${arg_LIBS} varnel_warnings)
  if(VARNEL_TESTS)
    add_test(NAME ${target}_fuzz_corpus
             COMMAND ${target}_fuzz_replay ${PROJECT_SOURCE_DIR}/fuzz/corpus/${target})
  endif()
endfunction()

varnel_fuzz_replayer(plan_reader SOURCES fuzz/plan_reader_fuzz.cpp LIBS varnel_plan_format)
varnel_fuzz_replayer(packing_list SOURCES fuzz/packing_list_fuzz.cpp LIBS varnel_plan_format)
varnel_fuzz_replayer(mixed_plan_reader SOURCES fuzz/mixed_plan_reader_fuzz.cpp LIBS varnel_plan_format)
varnel_fuzz_replayer(number_parser SOURCES fuzz/number_parser_fuzz.cpp LIBS varnel_engine)
varnel_fuzz_replayer(catalogue_entry SOURCES fuzz/catalogue_entry_fuzz.cpp LIBS varnel_catalogue)
varnel_fuzz_replayer(planning SOURCES fuzz/planning_fuzz.cpp LIBS varnel_engine_single)
