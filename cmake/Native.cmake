# Level 1: the logic with in-memory fakes, natively; plus the fuzz target and the benchmarks.
find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB yomorina_unit_test_sources CONFIGURE_DEPENDS
  tests/core/*.cpp tests/scatter/*.cpp tests/app/*.cpp tests/options/*.cpp tests/about/*.cpp tests/support/*.cpp)
add_executable(yomorina_unit_tests ${yomorina_unit_test_sources})
target_link_libraries(yomorina_unit_tests PRIVATE yomorina_logic GTest::gtest GTest::gtest_main GTest::gmock)
target_include_directories(yomorina_unit_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
gtest_discover_tests(yomorina_unit_tests)

# No include from a lower folder to a higher one (core <- scatter, options, about <- app).
add_test(NAME layers COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/scripts/check-layers.sh)

# The list-file reader under libFuzzer, for a bounded time in every test run.
set(YOMORINA_FUZZ_SECONDS 20 CACHE STRING "How long each fuzz target runs in the test command")
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  file(GLOB yomorina_fuzz_sources CONFIGURE_DEPENDS fuzz/*.cpp)
  foreach(source IN LISTS yomorina_fuzz_sources)
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source} tests/support/IconvCodePage932.cpp)
    target_link_libraries(${name} PRIVATE yomorina_logic)
    target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    # New inputs go to the build tree; the committed seeds stay as they are.
    file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz-corpus/${name})
    add_test(NAME fuzz_${name}
             COMMAND ${name} -max_total_time=${YOMORINA_FUZZ_SECONDS} -timeout=5
                     ${CMAKE_BINARY_DIR}/fuzz-corpus/${name} ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/corpus/${name})
  endforeach()
endif()

find_package(benchmark QUIET)
if(benchmark_FOUND)
  file(GLOB yomorina_bench_sources CONFIGURE_DEPENDS bench/*.cpp)
  if(yomorina_bench_sources)
    add_executable(yomorina_bench ${yomorina_bench_sources} tests/support/IconvCodePage932.cpp)
    target_link_libraries(yomorina_bench PRIVATE yomorina_logic benchmark::benchmark benchmark::benchmark_main)
    target_include_directories(yomorina_bench PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  endif()
endif()
