# Boost.Geometry (header-only) from Debian's /usr/include, for both targets.
if(NOT EXISTS /usr/include/boost/geometry.hpp)
  message(FATAL_ERROR "Boost.Geometry not found in /usr/include: install libboost-dev")
endif()

# corvane_use_boost_geometry(TARGET SOURCE...): TARGET's SOURCEs include
# Boost.Geometry.
function(corvane_use_boost_geometry target)
  # GCC's flow analysis sees through Boost's inlined box code and warns about
  # corners that Boost sets before use; the warning is Boost's, not ours.
  # Boost 1.74 also announces headers it deprecated itself.
  set_source_files_properties(${ARGN} PROPERTIES
    COMPILE_OPTIONS "$<$<CXX_COMPILER_ID:GNU>:-Wno-maybe-uninitialized>"
    COMPILE_DEFINITIONS BOOST_ALLOW_DEPRECATED_HEADERS)
  if(CMAKE_CROSSCOMPILING)
    # MinGW does not search /usr/include. A folder that holds only a link to
    # the Boost headers gives it Boost and nothing else of the build
    # machine's headers.
    set(dir ${CMAKE_BINARY_DIR}/boost-include)
    file(MAKE_DIRECTORY ${dir})
    file(CREATE_LINK /usr/include/boost ${dir}/boost SYMBOLIC)
    target_include_directories(${target} SYSTEM PRIVATE ${dir})
  endif()
endfunction()
