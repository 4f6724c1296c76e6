# Cross build for 64-bit Windows with MinGW-w64 (Debian: g++-mingw-w64-x86-64-posix).
# Fails at configure time when a tool is missing rather than half-way through a build.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_corvane_triple x86_64-w64-mingw32)
find_program(CORVANE_MINGW_CXX NAMES ${_corvane_triple}-g++-posix ${_corvane_triple}-g++)
find_program(CORVANE_MINGW_CC NAMES ${_corvane_triple}-gcc-posix ${_corvane_triple}-gcc)
find_program(CORVANE_MINGW_RC NAMES ${_corvane_triple}-windres)
foreach(_tool CORVANE_MINGW_CXX CORVANE_MINGW_CC CORVANE_MINGW_RC)
  if(NOT ${_tool})
    message(FATAL_ERROR "${_tool}: no ${_corvane_triple} tool found; install g++-mingw-w64-x86-64-posix")
  endif()
endforeach()

set(CMAKE_C_COMPILER ${CORVANE_MINGW_CC})
set(CMAKE_CXX_COMPILER ${CORVANE_MINGW_CXX})
set(CMAKE_RC_COMPILER ${CORVANE_MINGW_RC})

set(CMAKE_FIND_ROOT_PATH /usr/${_corvane_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Windows test programs run under Wine, inside the Wine bench of this build
# tree (scripts/wine-bench.sh): a private prefix, never the user's ~/.wine.
find_program(CORVANE_WINE NAMES wine)
if(CORVANE_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR
      ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-bench.sh exec ${CMAKE_BINARY_DIR}/wine)
endif()
