# Manual pages made at build time from each program's --help, so they cannot drift from it;
# the sections --help has no room for (examples, files, exit status) come from man/*.h2m.in.

find_program(HELP2MAN help2man)
if(NOT HELP2MAN)
  message(WARNING "help2man not found (Debian package help2man): no manual pages are built")
  return()
endif()

set(PELMAR_MAN_NAME_pelmar "count the syllables of English text line by line, in a window")
set(PELMAR_MAN_NAME_pelmar-count "measure English text line by line")
set(PELMAR_MAN_NAME_pelmar-history "work with the history of saved measurements")

set(man_pages "")
foreach(program IN LISTS PELMAR_PROGRAMS)
  set(include ${CMAKE_CURRENT_BINARY_DIR}/man/${program}.h2m)
  set(page ${CMAKE_CURRENT_BINARY_DIR}/man/${program}.1)
  configure_file(man/${program}.h2m.in ${include} @ONLY)
  # The programs run here at build time; a sanitizer build must not fail on what a leak
  # checker thinks of the toolkit's start-up.
  add_custom_command(
    OUTPUT ${page}.gz
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen
            ${HELP2MAN} --no-info --no-discard-stderr --section 1
            "--name=${PELMAR_MAN_NAME_${program}}" --include ${include} --output ${page}
            $<TARGET_FILE:${program}>
    # Debian wants manual pages compressed as far as gzip goes, without a time stamp.
    COMMAND gzip -9nf ${page}
    DEPENDS ${program} ${include}
    COMMENT "Writing the manual page ${program}(1)"
    VERBATIM)
  list(APPEND man_pages ${page}.gz)
endforeach()
add_custom_target(pelmar_man_pages ALL DEPENDS ${man_pages})
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
