# The native build: the same core on the POSIX emulation of the platform.
# The emulation is linked whole: the Win32 functions it defines are found by
# name, as the core calls them, whatever order the archives come in.
set(NATIVE_PLATFORM "$<LINK_LIBRARY:WHOLE_ARCHIVE,setup_platform>")
add_executable(setup setup/setup_main.cpp)
target_link_libraries(setup PRIVATE setup_core ${NATIVE_PLATFORM})
# Linked whole and static: a run of the installer starts without loading and
# relocating shared libraries, a third of its start-up from a cold cache.
# The sanitizers need their shared runtime.
if(NOT SETUP_SANITIZE AND NOT SETUP_FUZZ)
  target_link_options(setup PRIVATE -static)
endif()

file(GLOB NATIVE_TOOL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/*_tool.cpp)
foreach(src ${NATIVE_TOOL_SOURCES})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src})
  target_link_libraries(${name} PRIVATE setup_core ${NATIVE_PLATFORM})
endforeach()

add_executable(infcheck check/infcheck_main.cpp)
target_link_libraries(infcheck PRIVATE infcheck_checks setup_core ${NATIVE_PLATFORM})

add_executable(simrun tools/simrun/simrun_main.cpp)
target_link_libraries(simrun PRIVATE setupengine setup_core ${NATIVE_PLATFORM})

include(cmake/test_pe_files.cmake OPTIONAL)
include(cmake/example_package.cmake)

if(SETUP_FUZZ)
  file(GLOB FUZZ_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*_fuzz.cpp)
  foreach(src ${FUZZ_SOURCES})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_libraries(${name} PRIVATE infcheck_checks setup_core ${NATIVE_PLATFORM})
  endforeach()
  return()
endif()

enable_testing()
find_package(GTest REQUIRED)
file(GLOB UNIT_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*_test.cpp)
add_executable(unit_tests ${UNIT_TEST_SOURCES})
target_link_libraries(unit_tests PRIVATE setupengine setup_core ${NATIVE_PLATFORM} GTest::gtest GTest::gtest_main)
target_compile_definitions(unit_tests PRIVATE
  SETUP_SOURCE_DIR="${CMAKE_SOURCE_DIR}" SETUP_BINARY_DIR="${CMAKE_BINARY_DIR}")
include(GoogleTest)
gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 60)

# Scenario and end-to-end scripts: each tests/e2e/*.sh is one CTest case.
file(GLOB E2E_SCRIPTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*.sh)
foreach(script ${E2E_SCRIPTS})
  get_filename_component(name ${script} NAME_WE)
  add_test(NAME e2e_${name} COMMAND bash ${script} $<TARGET_FILE:setup>)
  set_tests_properties(e2e_${name} PROPERTIES ENVIRONMENT "SETUP_SOURCE_DIR=${CMAKE_SOURCE_DIR};SETUP_BINARY_DIR=${CMAKE_BINARY_DIR}")
endforeach()

# The contract tests of the Win32 subset against the emulation, on a fresh
# simulated machine each run; the Windows build runs the same rows under
# Wine (tests/wine/contract_test.sh).
file(GLOB CONTRACT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/contract/*.cpp)
list(FILTER CONTRACT_SOURCES EXCLUDE REGEX ".*_win32\\.cpp$")
add_executable(contract_tests ${CONTRACT_SOURCES})
target_link_libraries(contract_tests PRIVATE setup_core ${NATIVE_PLATFORM})
# The emulation's drive Z: is the host's root, as Wine's is.
string(REPLACE "/" "\\" CONTRACT_TEST_PE "Z:${CMAKE_BINARY_DIR}/test-pe")
add_test(NAME contract_tests
  COMMAND sh -c "rm -rf \"$1\" && exec \"$0\" --machine \"$1\" --test-pe \"$2\""
          $<TARGET_FILE:contract_tests> ${CMAKE_BINARY_DIR}/contract-machine ${CONTRACT_TEST_PE})
