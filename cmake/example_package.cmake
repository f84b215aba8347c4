# The example package: examples/package with the demo program built from
# examples/program, assembled in <build>/example/. Both builds assemble it:
# the Windows build compiles the program with its own toolchain, the native
# build with the mingw-w64 cross compiler when it is installed.
set(EXAMPLE_DIR ${CMAKE_BINARY_DIR}/example)
file(GLOB_RECURSE EXAMPLE_FILES CONFIGURE_DEPENDS RELATIVE ${CMAKE_SOURCE_DIR}/examples/package
     ${CMAKE_SOURCE_DIR}/examples/package/*)
set(EXAMPLE_OUTPUTS)
foreach(f ${EXAMPLE_FILES})
  add_custom_command(OUTPUT ${EXAMPLE_DIR}/${f}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/examples/package/${f} ${EXAMPLE_DIR}/${f}
    DEPENDS ${CMAKE_SOURCE_DIR}/examples/package/${f})
  list(APPEND EXAMPLE_OUTPUTS ${EXAMPLE_DIR}/${f})
endforeach()

set(DEMO_SOURCES ${CMAKE_SOURCE_DIR}/examples/program/talvdemo.c ${CMAKE_SOURCE_DIR}/examples/program/talvdemo.rc)
if(WIN32)
  add_executable(talvdemo WIN32 ${DEMO_SOURCES})
  set_target_properties(talvdemo PROPERTIES OUTPUT_NAME TALVDEMO SUFFIX ".EXE"
                        RUNTIME_OUTPUT_DIRECTORY ${EXAMPLE_DIR})
  target_link_options(talvdemo PRIVATE -static -s)
  add_custom_target(example_package ALL DEPENDS ${EXAMPLE_OUTPUTS} talvdemo)
else()
  find_program(MINGW_GCC i686-w64-mingw32-gcc)
  find_program(MINGW_WINDRES i686-w64-mingw32-windres)
  if(MINGW_GCC AND MINGW_WINDRES)
    add_custom_command(OUTPUT ${EXAMPLE_DIR}/TALVDEMO.EXE
      COMMAND ${MINGW_WINDRES} -O coff -o ${CMAKE_BINARY_DIR}/talvdemo_res.o ${CMAKE_SOURCE_DIR}/examples/program/talvdemo.rc
      COMMAND ${MINGW_GCC} -Os -s -mwindows -o ${EXAMPLE_DIR}/TALVDEMO.EXE
              ${CMAKE_SOURCE_DIR}/examples/program/talvdemo.c ${CMAKE_BINARY_DIR}/talvdemo_res.o
      DEPENDS ${DEMO_SOURCES})
    list(APPEND EXAMPLE_OUTPUTS ${EXAMPLE_DIR}/TALVDEMO.EXE)
  else()
    message(STATUS "mingw-w64 not found: the example package has no TALVDEMO.EXE")
  endif()
  add_custom_target(example_package ALL DEPENDS ${EXAMPLE_OUTPUTS})
endif()
