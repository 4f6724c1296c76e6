# corvane_add_gtest(target [gtest_discover_tests options...])
#
# Registers a GoogleTest program with CTest. Natively every test case becomes
# its own CTest entry. In the Windows cross build the program runs under Wine
# as one entry, inside the Wine bench (a private prefix with one persistent
# wineserver and an Xvfb display, set up before and torn down after the Wine
# tests by scripts/wine-bench.sh).

include(GoogleTest)

function(corvane_add_gtest target)
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${target} COMMAND ${target} --gtest_color=no)
    set_tests_properties(${target} PROPERTIES FIXTURES_REQUIRED wine LABELS wine TIMEOUT 300)
  else()
    gtest_discover_tests(${target} ${ARGN})
  endif()
endfunction()

if(CMAKE_CROSSCOMPILING)
  set(CORVANE_WINE_BENCH_DIR ${CMAKE_BINARY_DIR}/wine)
  set(CORVANE_WINE_BENCH ${PROJECT_SOURCE_DIR}/scripts/wine-bench.sh)
  add_test(NAME WineBenchSetUp COMMAND ${CORVANE_WINE_BENCH} setup ${CORVANE_WINE_BENCH_DIR})
  add_test(NAME WineBenchTearDown COMMAND ${CORVANE_WINE_BENCH} cleanup ${CORVANE_WINE_BENCH_DIR})
  set_tests_properties(WineBenchSetUp PROPERTIES FIXTURES_SETUP wine TIMEOUT 120)
  set_tests_properties(WineBenchTearDown PROPERTIES FIXTURES_CLEANUP wine TIMEOUT 60)

  # Suites written with gtest_discover_tests build for Windows unchanged:
  # listing their cases would run Wine while CTest reads its test files,
  # before the bench is set up, so they are registered as above instead.
  # A later include(GoogleTest) undoes this; then at least the listing waits
  # for the test run instead of running Wine in the middle of the build.
  set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
  function(gtest_discover_tests target)
    corvane_add_gtest(${target})
  endfunction()
endif()
