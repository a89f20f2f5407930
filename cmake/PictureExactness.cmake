# Compiler settings shared by the native build and the page's Emscripten
# build. Floating point is part of the behaviour: no contraction into fused
# multiply-adds, no fast-math, no host-specific code generation, so both
# builds draw the same pixels. Nothing reads errno after a maths call, so lrint
# and sqrt may compile to single instructions.
option(ORBIZA_WERROR "Treat warnings as errors" OFF)

foreach(flags IN ITEMS CMAKE_CXX_FLAGS CMAKE_CXX_FLAGS_${CMAKE_BUILD_TYPE})
  string(TOUPPER "${flags}" flags)
  if("${${flags}}" MATCHES "-ffast-math|-Ofast|-march=native|-ffp-contract=(fast|on)")
    message(FATAL_ERROR "${flags} holds '${CMAKE_MATCH_0}', which changes the pictures")
  endif()
endforeach()

add_compile_options(-ffp-contract=off -fno-fast-math -fno-math-errno -Wall -Wextra -Wpedantic)
if(ORBIZA_WERROR)
  add_compile_options(-Werror)
endif()
