# The Windows program, its platform tests and its end-to-end tests.
enable_language(RC)

if(NOT MSVC)
  # One self-contained exe: no MinGW or C++ runtime DLLs beside it.
  set(yomorina_static_link -static -static-libgcc -static-libstdc++)
endif()

file(GLOB yomorina_win32_sources CONFIGURE_DEPENDS platform/win32/*.cpp)
list(FILTER yomorina_win32_sources EXCLUDE REGEX "WinMain\\.cpp$")
add_library(yomorina_win32 STATIC ${yomorina_win32_sources})
target_link_libraries(yomorina_win32 PUBLIC yomorina_logic
  shell32 ole32 oleaut32 uuid comctl32 comdlg32 gdi32 user32 shlwapi)

set(yomorina_run_folder ${CMAKE_BINARY_DIR}/run)
add_executable(yomorina WIN32 platform/win32/WinMain.cpp resources/yomorina.rc)
target_link_libraries(yomorina PRIVATE yomorina_win32 ${yomorina_static_link})
if(NOT MSVC)
  target_link_options(yomorina PRIVATE -municode $<$<CONFIG:Release,MinSizeRel>:-s>)
endif()
set_target_properties(yomorina PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${yomorina_run_folder})
foreach(shipped IN ITEMS help.html)
  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/resources/${shipped})
    configure_file(resources/${shipped} ${yomorina_run_folder}/${shipped} COPYONLY)
  endif()
endforeach()

# Timing of the overlay against a bare screen copy; run by hand, not a test.
file(GLOB yomorina_wine_bench_sources CONFIGURE_DEPENDS bench/win32/*.cpp)
if(yomorina_wine_bench_sources)
  add_executable(yomorina_wine_bench ${yomorina_wine_bench_sources})
  target_link_libraries(yomorina_wine_bench PRIVATE yomorina_win32 ${yomorina_static_link})
endif()

# The floor for the footprint figures: a tray program with nothing else, linked like yomorina.exe.
add_executable(yomorina_minimal_tray WIN32 bench/win32/minimal-tray/MinimalTray.cpp
               bench/win32/minimal-tray/MinimalTray.rc)
set_target_properties(yomorina_minimal_tray PROPERTIES OUTPUT_NAME MinimalTray)
target_link_libraries(yomorina_minimal_tray PRIVATE shell32 user32 ${yomorina_static_link})
if(NOT MSVC)
  target_link_options(yomorina_minimal_tray PRIVATE -municode $<$<CONFIG:Release,MinSizeRel>:-s>)
endif()
set_source_files_properties(bench/win32/minimal-tray/MinimalTray.rc PROPERTIES OBJECT_DEPENDS
                            ${CMAKE_CURRENT_SOURCE_DIR}/resources/tray.ico)
# Starts both programs and reads their footprint from outside.
add_executable(yomorina_footprint_bench bench/win32/measure/FootprintBench.cpp)
target_link_libraries(yomorina_footprint_bench PRIVATE yomorina_win32 psapi ${yomorina_static_link})
if(NOT MSVC)
  target_link_options(yomorina_footprint_bench PRIVATE -municode)
endif()

if(NOT BUILD_TESTING AND DEFINED BUILD_TESTING)
  return()
endif()

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
  add_executable(yomorina_platform_tests ${yomorina_platform_test_sources})
  target_link_libraries(yomorina_platform_tests PRIVATE yomorina_win32 gtest gtest_main ${yomorina_static_link})
  # The program's icons and manifest, and the screenshot writer, for windows tested in-process.
  target_sources(yomorina_platform_tests PRIVATE resources/yomorina.rc tests/e2e/Harness.cpp tests/e2e/Png.cpp
                 tests/e2e/Tray.cpp)
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

  # A program for the launcher to start: it records the arguments it receives.
  add_executable(yomorina_record_arguments WIN32 tests/platform/helpers/RecordArguments.cpp)
  set_target_properties(yomorina_record_arguments PROPERTIES OUTPUT_NAME RecordArguments)
  target_link_libraries(yomorina_record_arguments PRIVATE shell32 ${yomorina_static_link})
  if(NOT MSVC)
    target_link_options(yomorina_record_arguments PRIVATE -municode)
  endif()
  add_dependencies(yomorina_platform_tests yomorina_record_arguments)
  # The recycle bin under Wine is the Linux trash of XDG_DATA_HOME, which wine-exec.sh
  # points into the build tree. Wine deletes for good when it cannot make that trash,
  # so its folder exists from the start.
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/xdg-data)

  # Level 3: the real exe in a fresh folder, driven and observed from outside.
  file(GLOB yomorina_e2e_sources CONFIGURE_DEPENDS tests/e2e/*.cpp)
  add_executable(yomorina_e2e_tests ${yomorina_e2e_sources})
  target_link_libraries(yomorina_e2e_tests PRIVATE yomorina_win32 gtest ${yomorina_static_link})
  add_dependencies(yomorina_e2e_tests yomorina)
  add_dependencies(yomorina_e2e_tests yomorina_record_arguments)
  add_test(NAME end_to_end COMMAND yomorina_e2e_tests --gtest_brief=1
           --yomorina-exe=$<TARGET_FILE:yomorina> --artifacts=${CMAKE_BINARY_DIR}/artifacts)
  set_tests_properties(end_to_end PROPERTIES TIMEOUT 900)
  set_tests_properties(platform PROPERTIES TIMEOUT 300)
endif()

# windres does not report the files the .rc pulls in.
file(GLOB yomorina_resource_files CONFIGURE_DEPENDS resources/*.ico resources/*.manifest resources/resource.h)
set_source_files_properties(resources/yomorina.rc PROPERTIES OBJECT_DEPENDS "${yomorina_resource_files}")
