# Where the installed program lives: the executables, the catalogue and the
# help pages stay together in one folder, as the program looks for its
# catalogue and help beside its own executable.
set(VARNEL_PROGRAM_DIR "lib/varnel" CACHE STRING "Install folder of the program, below the prefix")

# The build keeps every executable of the program in one folder too, so the
# catalogue generated there sits beside each of them.
set(VARNEL_BIN_DIR ${PROJECT_BINARY_DIR}/bin)

# The delivered catalogue, made at build time (catalogue/); tests and
# benchmarks work on copies of it.
set(VARNEL_CATALOGUE_FILE ${VARNEL_BIN_DIR}/qr_ji.qrd)

function(varnel_program target)
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VARNEL_BIN_DIR})
  install(TARGETS ${target} RUNTIME DESTINATION ${VARNEL_PROGRAM_DIR})
endfunction()
