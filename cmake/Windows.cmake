# The Windows program, its platform tests and its end-to-end tests.
enable_language(RC)

# Files that carry the version take it from resources/resource.h through CMake.
set(yomorina_generated_folder ${CMAKE_BINARY_DIR}/generated)
configure_file(resources/yomorina.manifest.in ${yomorina_generated_folder}/yomorina.manifest @ONLY)

# windres does not report the files an .rc pulls in.
file(GLOB yomorina_resource_files CONFIGURE_DEPENDS resources/*.ico resources/resource.h)
list(APPEND yomorina_resource_files ${yomorina_generated_folder}/yomorina.manifest)

# Every Windows executable of the project, linked alike: one self-contained exe
# with no MinGW or C++ runtime DLLs beside it.
#   yomorina_windows_executable(NAME [GUI] [WIDE_ENTRY] [STRIPPED]
#                               SOURCES file... [RESOURCES file.rc...] [LIBRARIES library...])
# GUI: a window program (WinMain), not a console one. WIDE_ENTRY: its entry is
# wWinMain or wmain. STRIPPED: no symbols in a release build, as the program
# ships. RESOURCES: .rc files with the icons and the manifest.
function(yomorina_windows_executable name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "GUI;WIDE_ENTRY;STRIPPED" "" "SOURCES;RESOURCES;LIBRARIES")
  set(kind)
  if(arg_GUI)
    set(kind WIN32)
  endif()
  add_executable(${name} ${kind} ${arg_SOURCES} ${arg_RESOURCES})
  target_link_libraries(${name} PRIVATE ${arg_LIBRARIES})
  if(MSVC)
    # The manifest comes from the .rc; the linker's own would replace or clash with it.
    if(arg_RESOURCES)
      target_link_options(${name} PRIVATE /MANIFEST:NO)
    endif()
  else()
    target_link_libraries(${name} PRIVATE -static -static-libgcc -static-libstdc++)
    if(arg_WIDE_ENTRY)
      target_link_options(${name} PRIVATE -municode)
    endif()
    if(arg_STRIPPED)
      target_link_options(${name} PRIVATE $<$<CONFIG:Release,MinSizeRel>:-s> $<$<CONFIG:Release,MinSizeRel>:-Wl,--gc-sections>)
    endif()
  endif()
  if(arg_RESOURCES)
    set_source_files_properties(${arg_RESOURCES} PROPERTIES OBJECT_DEPENDS "${yomorina_resource_files}")
    target_include_directories(${name} PRIVATE ${yomorina_generated_folder})
  endif()
endfunction()

file(GLOB yomorina_win32_sources CONFIGURE_DEPENDS platform/win32/*/*.cpp)
add_library(yomorina_win32 STATIC ${yomorina_win32_sources})
target_link_libraries(yomorina_win32 PUBLIC yomorina_logic
  shell32 ole32 oleaut32 uuid comctl32 comdlg32 gdi32 user32 shlwapi)

set(yomorina_run_folder ${CMAKE_BINARY_DIR}/run)
yomorina_windows_executable(yomorina GUI WIDE_ENTRY STRIPPED SOURCES platform/win32/WinMain.cpp
                            RESOURCES resources/yomorina.rc LIBRARIES yomorina_win32)
set_target_properties(yomorina PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${yomorina_run_folder})

# What ships beside the exe, each language's help page and readme among them,
# put in the run folder as the zip holds it: the readmes with the version, a
# byte-order mark and CR LF, as Notepad reads them right. install() is the one
# list of shipped files; scripts/package.sh zips what it installs.
file(GLOB yomorina_help_files CONFIGURE_DEPENDS resources/help*.html resources/help.css)
file(GLOB yomorina_readmes CONFIGURE_DEPENDS resources/readme-*.txt)
set(yomorina_shipped_files)
foreach(help IN LISTS yomorina_help_files)
  get_filename_component(name ${help} NAME)
  configure_file(${help} ${yomorina_run_folder}/${name} COPYONLY)
  list(APPEND yomorina_shipped_files ${yomorina_run_folder}/${name})
endforeach()
string(ASCII 239 187 191 yomorina_byte_order_mark)
foreach(readme IN LISTS yomorina_readmes)
  get_filename_component(name ${readme} NAME)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${readme})
  file(READ ${readme} text)
  file(CONFIGURE OUTPUT ${yomorina_run_folder}/${name} CONTENT "${yomorina_byte_order_mark}${text}"
       @ONLY NEWLINE_STYLE CRLF)
  list(APPEND yomorina_shipped_files ${yomorina_run_folder}/${name})
endforeach()
install(TARGETS yomorina RUNTIME DESTINATION .)
install(FILES ${yomorina_shipped_files} DESTINATION .)

# Timing of the overlay against a bare screen copy; run by hand, not a test.
file(GLOB yomorina_wine_bench_sources CONFIGURE_DEPENDS bench/win32/*.cpp)
if(yomorina_wine_bench_sources)
  yomorina_windows_executable(yomorina_wine_bench SOURCES ${yomorina_wine_bench_sources} LIBRARIES yomorina_win32)
endif()

# The floor for the footprint figures: a tray program with nothing else, linked like yomorina.exe.
yomorina_windows_executable(yomorina_minimal_tray GUI WIDE_ENTRY STRIPPED
                            SOURCES bench/win32/minimal-tray/MinimalTray.cpp
                            RESOURCES bench/win32/minimal-tray/MinimalTray.rc LIBRARIES shell32 user32)
set_target_properties(yomorina_minimal_tray PROPERTIES OUTPUT_NAME MinimalTray)
# Starts both programs and reads their footprint from outside.
# What the Linux side tells of a process under Wine; the soak reads it too.
add_library(yomorina_linux_side STATIC bench/win32/measure/LinuxSide.cpp)
target_link_libraries(yomorina_linux_side PUBLIC yomorina_win32 psapi)
yomorina_windows_executable(yomorina_footprint_bench WIDE_ENTRY SOURCES bench/win32/measure/FootprintBench.cpp
                            LIBRARIES yomorina_linux_side)

if(NOT BUILD_TESTING AND DEFINED BUILD_TESTING)
  return()
endif()

# The real program driven and watched from outside: the end-to-end tests' harness, which the
# platform tests share, and the README's pictures taken with it.
add_library(yomorina_e2e_harness STATIC tests/e2e/DragDrop.cpp tests/e2e/Harness.cpp tests/e2e/Png.cpp tests/e2e/Tray.cpp)
target_link_libraries(yomorina_e2e_harness PUBLIC yomorina_win32 yomorina_linux_side)
file(GLOB yomorina_showcase_sources CONFIGURE_DEPENDS tools/showcase/*.cpp)
yomorina_windows_executable(yomorina_showcase SOURCES ${yomorina_showcase_sources} LIBRARIES yomorina_e2e_harness)
add_dependencies(yomorina_showcase yomorina)

# GoogleTest from its sources, built by the same cross compiler.
set(YOMORINA_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for the Windows tests")
if(EXISTS ${YOMORINA_GTEST_SOURCE}/CMakeLists.txt)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${YOMORINA_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

  if(CMAKE_CROSSCOMPILING)
    configure_file(${CMAKE_CURRENT_SOURCE_DIR}/scripts/wine-exec.sh.in ${CMAKE_BINARY_DIR}/wine-exec.sh
                   FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE
                   @ONLY)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-exec.sh)
  endif()

  # Level 2: the Win32 implementations against the real API.
  file(GLOB yomorina_platform_test_sources CONFIGURE_DEPENDS tests/platform/*.cpp)
  # With the program's icons and manifest, and the screenshot writer, for windows tested in-process.
  yomorina_windows_executable(yomorina_platform_tests SOURCES ${yomorina_platform_test_sources}
                              RESOURCES resources/yomorina.rc LIBRARIES yomorina_e2e_harness gtest gtest_main)
  add_test(NAME platform COMMAND yomorina_platform_tests --gtest_brief=1)
  # A full disk and a read-only folder for the save faults (tmpfs mounts, root only).
  set(yomorina_fault_folders ${CMAKE_BINARY_DIR}/fault-folders)
  set(yomorina_fault_script ${CMAKE_CURRENT_SOURCE_DIR}/scripts/fault-folders.sh)
  add_test(NAME fault_folders_setup COMMAND sh ${yomorina_fault_script} setup ${yomorina_fault_folders})
  add_test(NAME fault_folders_cleanup COMMAND sh ${yomorina_fault_script} cleanup ${yomorina_fault_folders})
  set_tests_properties(fault_folders_setup PROPERTIES FIXTURES_SETUP fault_folders)
  set_tests_properties(fault_folders_cleanup PROPERTIES FIXTURES_CLEANUP fault_folders)
  set_tests_properties(platform PROPERTIES FIXTURES_REQUIRED fault_folders
                       ENVIRONMENT YOMORINA_FAULT_FOLDERS=${yomorina_fault_folders})
  # As root, as CI runs, the fault folders are mounted and no platform test has
  # a reason to skip: a skip there fails the run. Without root the save-fault
  # tests skip and say why.
  execute_process(COMMAND id -u OUTPUT_VARIABLE yomorina_user_id OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(yomorina_user_id STREQUAL "0")
    set_tests_properties(platform PROPERTIES FAIL_REGULAR_EXPRESSION "\\[  SKIPPED \\]")
  endif()

  # A program for the launcher to start: it records the arguments it receives.
  yomorina_windows_executable(yomorina_record_arguments GUI WIDE_ENTRY
                              SOURCES tests/platform/helpers/RecordArguments.cpp LIBRARIES shell32)
  set_target_properties(yomorina_record_arguments PROPERTIES OUTPUT_NAME RecordArguments)
  add_dependencies(yomorina_platform_tests yomorina_record_arguments)
  # The recycle bin under Wine is the Linux trash of XDG_DATA_HOME, which wine-exec.sh
  # points into the build tree. Wine deletes for good when it cannot make that trash,
  # so its folder exists from the start.
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/xdg-data)

  # Level 3: the real exe in a fresh folder, driven and observed from outside.
  file(GLOB yomorina_e2e_sources CONFIGURE_DEPENDS tests/e2e/*Tests.cpp)
  yomorina_windows_executable(yomorina_e2e_tests SOURCES ${yomorina_e2e_sources} tests/e2e/Main.cpp
                              LIBRARIES yomorina_e2e_harness gtest)
  add_dependencies(yomorina_e2e_tests yomorina)
  add_dependencies(yomorina_e2e_tests yomorina_record_arguments)
  # The scatter over two monitors side by side has a test of its own, below.
  set(yomorina_two_monitor_tests "Scatter.OnAMonitorLeftOfThePrimary*")
  # The program on a system displayed in each other language it speaks, as
  # SUITE=LOCALE: that suite of tests runs alone, in that locale. Wine takes the
  # language from the locale the whole run starts in, which a process it starts
  # inherits. Every other suite runs in Japanese.
  set(yomorina_language_suites English=en_US.UTF-8)
  set(yomorina_japanese_filter -${yomorina_two_monitor_tests})
  foreach(language IN LISTS yomorina_language_suites)
    string(REPLACE "=" ";" language ${language})
    list(GET language 0 suite)
    list(GET language 1 locale)
    string(APPEND yomorina_japanese_filter :${suite}.*)
    string(TOLOWER ${suite} name)
    add_test(NAME end_to_end_${name} COMMAND yomorina_e2e_tests --gtest_brief=1 --gtest_filter=${suite}.*
             --yomorina-exe=$<TARGET_FILE:yomorina> --artifacts=${CMAKE_BINARY_DIR}/artifacts)
    set_tests_properties(end_to_end_${name} PROPERTIES TIMEOUT 300 ENVIRONMENT YOMORINA_LOCALE=${locale}
                         FAIL_REGULAR_EXPRESSION "\\[  PASSED  \\] 0 tests")
  endforeach()
  add_test(NAME end_to_end COMMAND yomorina_e2e_tests --gtest_brief=1 --gtest_filter=${yomorina_japanese_filter}
           --yomorina-exe=$<TARGET_FILE:yomorina> --artifacts=${CMAKE_BINARY_DIR}/artifacts)
  # Nothing there has a reason to skip on the machines it runs on: a skip fails the run.
  set_tests_properties(end_to_end PROPERTIES TIMEOUT 900 FAIL_REGULAR_EXPRESSION "\\[  SKIPPED \\]")
  set_tests_properties(platform PROPERTIES TIMEOUT 300)

  # Wine shows two monitors only outside its virtual desktop: this run brings
  # its own Wine session (an X server with two heads, a prefix of its own).
  # There a skip means that Wine did not take the layout, and no test at all
  # that the filter lost it: both fail.
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME end_to_end_two_monitors
             COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/scripts/on-two-monitors.sh
                     ${CMAKE_BINARY_DIR}/wineprefix-two-monitors
                     ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:yomorina_e2e_tests> --gtest_brief=1
                     --gtest_filter=${yomorina_two_monitor_tests} --yomorina-exe=$<TARGET_FILE:yomorina>
                     --artifacts=${CMAKE_BINARY_DIR}/artifacts)
    set_tests_properties(end_to_end_two_monitors PROPERTIES LABELS two_monitors TIMEOUT 300
                         FAIL_REGULAR_EXPRESSION "\\[  SKIPPED \\];\\[  PASSED  \\] 0 tests")
  endif()
endif()
