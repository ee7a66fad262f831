# Installing Varnel on a desktop: launchers on the PATH, a menu entry and the
# icon. Included after every folder that defines a program, so that each rule
# below sees which programs this build has.

include(GNUInstallDirs)

# bin/NAME is a relative symbolic link into the program folder: the real
# executable stays beside its catalogue and help pages (the program finds
# them through its own resolved path), and the tree can be moved as a whole.
set(VARNEL_LAUNCHED_PROGRAMS varnel varnel-plan)
set(launcher_dir ${PROJECT_BINARY_DIR}/launchers)
file(MAKE_DIRECTORY ${launcher_dir})
foreach(program ${VARNEL_LAUNCHED_PROGRAMS})
  if(NOT TARGET ${program})
    continue()
  endif()
  if(IS_ABSOLUTE ${VARNEL_PROGRAM_DIR})
    set(link_target ${VARNEL_PROGRAM_DIR}/${program})
  else()
    file(RELATIVE_PATH link_target /prefix/${CMAKE_INSTALL_BINDIR}
         /prefix/${VARNEL_PROGRAM_DIR}/${program})
  endif()
  file(CREATE_LINK ${link_target} ${launcher_dir}/${program} SYMBOLIC)
  install(PROGRAMS ${launcher_dir}/${program} DESTINATION ${CMAKE_INSTALL_BINDIR})
endforeach()

# The menu entry starts the installed program by its full path, which is
# known only when installing (cmake --install --prefix may choose it).
if(TARGET varnel)
  install(FILES ${PROJECT_SOURCE_DIR}/desktop/varnel.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  install(CODE "
    if(IS_ABSOLUTE \"${VARNEL_PROGRAM_DIR}\")
      set(program \"${VARNEL_PROGRAM_DIR}/varnel\")
    else()
      set(program \"\${CMAKE_INSTALL_PREFIX}/${VARNEL_PROGRAM_DIR}/varnel\")
    endif()
    set(entry \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications/varnel.desktop\")
    message(STATUS \"Installing: \${entry}\")
    configure_file(\"${PROJECT_SOURCE_DIR}/desktop/varnel.desktop.in\" \"\${entry}\" @ONLY)
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${entry}\")
  ")
endif()
