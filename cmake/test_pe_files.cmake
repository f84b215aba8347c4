# PE test files for the version resource tests, made in the tree from our
# own resource scripts (tests/data/pe/*.rc): windres compiles each script,
# and tests/tools/make_test_pe.cpp (a host program) wraps the result in
# PE32 and PE32+ images and writes damaged variants. Output: test-pe/ in
# the build folder. The Windows build makes the same files with the host
# compiler, so that both builds (and the Wine runs) see identical data.
find_program(TEST_PE_WINDRES NAMES i686-w64-mingw32-windres x86_64-w64-mingw32-windres windres)
if(NOT TEST_PE_WINDRES)
  message(STATUS "windres not found: the PE test files (test-pe/) are not built")
  return()
endif()

set(TEST_PE_DIR ${CMAKE_BINARY_DIR}/test-pe)
set(TEST_PE_GENERATOR_SOURCE ${CMAKE_SOURCE_DIR}/tests/tools/make_test_pe.cpp)

if(CMAKE_CROSSCOMPILING)
  find_program(TEST_PE_HOST_CXX NAMES c++ g++ clang++)
  if(NOT TEST_PE_HOST_CXX)
    message(STATUS "no host C++ compiler: the PE test files (test-pe/) are not built")
    return()
  endif()
  set(TEST_PE_GENERATOR ${CMAKE_BINARY_DIR}/make_test_pe_host)
  add_custom_command(OUTPUT ${TEST_PE_GENERATOR}
    COMMAND ${TEST_PE_HOST_CXX} -std=c++17 -O1 -o ${TEST_PE_GENERATOR} ${TEST_PE_GENERATOR_SOURCE}
    DEPENDS ${TEST_PE_GENERATOR_SOURCE}
    COMMENT "Building the PE test file generator for the host")
  set(TEST_PE_GENERATOR_DEPENDS ${TEST_PE_GENERATOR})
else()
  add_executable(make_test_pe ${TEST_PE_GENERATOR_SOURCE})
  set(TEST_PE_GENERATOR $<TARGET_FILE:make_test_pe>)
  set(TEST_PE_GENERATOR_DEPENDS make_test_pe)
endif()

file(GLOB TEST_PE_SCRIPTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/data/pe/*.rc)
set(TEST_PE_RES_FILES)
foreach(rc ${TEST_PE_SCRIPTS})
  get_filename_component(name ${rc} NAME_WE)
  set(res ${TEST_PE_DIR}/res/${name}.res)
  add_custom_command(OUTPUT ${res}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TEST_PE_DIR}/res
    COMMAND ${TEST_PE_WINDRES} -O res ${rc} ${res}
    DEPENDS ${rc}
    COMMENT "Compiling test resource ${name}.rc")
  list(APPEND TEST_PE_RES_FILES ${res})
endforeach()

# The installer's own resource script as well: the native build's own
# version block must come out as the Windows build's resource does.
set(own_res ${TEST_PE_DIR}/res/setup.res)
file(GLOB own_resource_inputs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/*)
add_custom_command(OUTPUT ${own_res}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TEST_PE_DIR}/res
  COMMAND ${TEST_PE_WINDRES} -I ${CMAKE_SOURCE_DIR}/resources -O res ${CMAKE_SOURCE_DIR}/resources/setup.rc ${own_res}
  WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}/resources
  DEPENDS ${own_resource_inputs}
  COMMENT "Compiling the installer's resources for the PE test files")
list(APPEND TEST_PE_RES_FILES ${own_res})

set(TEST_PE_STAMP ${TEST_PE_DIR}/files.stamp)
add_custom_command(OUTPUT ${TEST_PE_STAMP}
  COMMAND ${TEST_PE_GENERATOR} ${TEST_PE_DIR} ${TEST_PE_RES_FILES}
  COMMAND ${CMAKE_COMMAND} -E touch ${TEST_PE_STAMP}
  DEPENDS ${TEST_PE_GENERATOR_DEPENDS} ${TEST_PE_RES_FILES}
  COMMENT "Writing the PE test files")
add_custom_target(test_pe_files ALL DEPENDS ${TEST_PE_STAMP})
