# Installs the build into PREFIX and checks the tree; see CMakeLists.txt.

function(fail)
  message(FATAL_ERROR ${ARGV})
endfunction()

# `cmake --install` rewrites the build folder's install_manifest.txt, the list
# a real install is uninstalled by: it is kept aside and put back, so that the
# test's scratch install never replaces it.
set(manifest ${BUILD_DIR}/install_manifest.txt)
set(kept_manifest ${PREFIX}-install_manifest.txt)
if(EXISTS ${manifest})
  file(READ ${manifest} manifest_before)
else()
  set(manifest_before "<none>")
endif()

function(install_into_prefix)
  file(REMOVE ${kept_manifest})
  if(EXISTS ${manifest})
    file(COPY_FILE ${manifest} ${kept_manifest})
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                  RESULT_VARIABLE install_status OUTPUT_QUIET)
  if(EXISTS ${kept_manifest})
    file(RENAME ${kept_manifest} ${manifest})
  else()
    file(REMOVE ${manifest})
  endif()
  set(status ${install_status} PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${PREFIX})
install_into_prefix()
if(NOT status EQUAL 0)
  fail("cmake --install failed: ${status}")
endif()

set(program_dir ${PREFIX}/${PROGRAM_DIR})
foreach(file varnel-plan qr_ji.qrd help/index.html help/style.css)
  if(NOT EXISTS ${program_dir}/${file})
    fail("${file} is missing from the program folder")
  endif()
endforeach()

# Every picture and stylesheet the help page names lies beside it.
file(READ ${program_dir}/help/index.html page)
string(REGEX MATCHALL "(src|href)=\"[^\":#]+\"" references "${page}")
list(LENGTH references count)
if(count LESS 10)
  fail("the help page names only ${count} files")
endif()
foreach(reference ${references})
  string(REGEX REPLACE "^(src|href)=\"(.*)\"$" "\\2" file "${reference}")
  if(NOT EXISTS ${program_dir}/help/${file})
    fail("the help page names ${file}, which is not installed")
  endif()
endforeach()

# The launcher on the PATH runs the program in its folder, which finds its
# catalogue there.
set(launcher ${PREFIX}/bin/varnel-plan)
if(NOT IS_SYMLINK ${launcher})
  fail("bin/varnel-plan is not a link into the program folder")
endif()
execute_process(COMMAND ${launcher} --container-type 40尺柜 60 40 30
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT out MATCHES "分1堆摆放共放700个包装箱")
  fail("the installed varnel-plan did not plan from its catalogue: ${status} ${out} ${err}")
endif()

if(WITH_MAIN_WINDOW)
  if(NOT IS_SYMLINK ${PREFIX}/bin/varnel OR NOT EXISTS ${program_dir}/varnel)
    fail("the main program or its launcher is missing")
  endif()
  set(entry ${PREFIX}/share/applications/varnel.desktop)
  file(STRINGS ${entry} exec REGEX "^Exec=")
  if(NOT exec STREQUAL "Exec=\"${program_dir}/varnel\"")
    fail("the menu entry starts ${exec}")
  endif()
  if(NOT EXISTS ${PREFIX}/share/icons/hicolor/scalable/apps/varnel.svg)
    fail("the icon is missing")
  endif()
  if(VALIDATE)
    execute_process(COMMAND ${VALIDATE} ${entry} RESULT_VARIABLE status OUTPUT_VARIABLE out)
    if(NOT status EQUAL 0)
      fail("the menu entry is not valid: ${out}")
    endif()
  endif()
endif()

# Installing again keeps the installed catalogue: it holds the user's own types.
file(WRITE ${program_dir}/qr_ji.qrd "the user's catalogue")
install_into_prefix()
file(READ ${program_dir}/qr_ji.qrd kept)
if(NOT status EQUAL 0 OR NOT kept STREQUAL "the user's catalogue")
  fail("installing again replaced the user's catalogue (${status})")
endif()

# The real install's list of files is as it was before the test.
if(EXISTS ${manifest})
  file(READ ${manifest} manifest_after)
else()
  set(manifest_after "<none>")
endif()
if(NOT manifest_after STREQUAL manifest_before)
  fail("the test's install replaced ${manifest}")
endif()
