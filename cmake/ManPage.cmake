# orbiza_man_page(TARGET DESCRIPTION INCLUDE): section 1 manual page of a
# program, made by help2man from its own --help at build time so the page
# never drifts from the program, with the sections of the help2man include
# file INCLUDE added; gzipped as Debian expects, installed. The title carries
# the project's version alone: --version may say more about the machine.
find_program(HELP2MAN_EXECUTABLE help2man REQUIRED)
find_program(GZIP_EXECUTABLE gzip REQUIRED)

function(orbiza_man_page target description include)
  set(page ${CMAKE_CURRENT_BINARY_DIR}/${target}.1)
  add_custom_command(
    OUTPUT ${page}.gz
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
            ${HELP2MAN_EXECUTABLE} --no-info --section=1 --name=${description}
            --version-string=${target}\ ${PROJECT_VERSION} --include=${include} --output=${page}
            $<TARGET_FILE:${target}>
    COMMAND ${GZIP_EXECUTABLE} -9nf ${page}
    DEPENDS ${target} ${include}
    COMMENT "Manual page ${target}(1)"
    VERBATIM)
  add_custom_target(${target}-man-page ALL DEPENDS ${page}.gz)
  install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
