# The ordinary build (any compiler) builds each fuzz target as a corpus
# replayer that CTest runs over fuzz/corpus: every seed and every saved crash
# is checked on every test run, not only when fuzzing.
function(varnel_fuzz_replayer target source)
  add_executable(${target}_replay ${PROJECT_SOURCE_DIR}/fuzz/${source}
                 ${PROJECT_SOURCE_DIR}/fuzz/corpus_replayer.cpp)
  target_link_libraries(${target}_replay PRIVATE ${ARGN} varnel_warnings)
  if(VARNEL_TESTS)
    add_test(NAME ${target}_corpus
             COMMAND ${target}_replay ${PROJECT_SOURCE_DIR}/fuzz/corpus)
  endif()
endfunction()

varnel_fuzz_replayer(plan_reader_fuzz plan_reader_fuzz.cpp varnel_plan_format)
