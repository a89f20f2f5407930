# orbiza_man_page(TARGET DESCRIPTION): section 1 manual page of a program,
# made by help2man from its own --help and --version at build time so the
# page never drifts from the program, gzipped as Debian expects, installed.
find_program(HELP2MAN_EXECUTABLE help2man REQUIRED)
find_program(GZIP_EXECUTABLE gzip REQUIRED)

function(orbiza_man_page target description)
  set(page ${CMAKE_CURRENT_BINARY_DIR}/${target}.1)
  add_custom_command(
    OUTPUT ${page}.gz
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
            ${HELP2MAN_EXECUTABLE} --no-info --section=1 --name=${description} --output=${page}
            $<TARGET_FILE:${target}>
    COMMAND ${GZIP_EXECUTABLE} -9nf ${page}
    DEPENDS ${target}
    COMMENT "Manual page ${target}(1)"
    VERBATIM)
  add_custom_target(${target}-man-page ALL DEPENDS ${page}.gz)
  install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
