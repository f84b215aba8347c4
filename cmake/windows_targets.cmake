# SETUP.EXE: static, stripped, small, GUI subsystem.
enable_language(RC)
# Link-time optimisation lets the linker inline and drop across the small
# files of the core: about a fifth of the program's size. The i686 mingw
# compiler keeps a frame pointer in every function unless told not to; the
# program has no unwinding that needs one, and leaving it out saves about
# 1.4 KB of code. Code is generated at the link, so it is told there too.
set(WIN_SIZE_FLAGS -Os -flto -ffunction-sections -fdata-sections -fno-exceptions -fno-rtti
    -fno-asynchronous-unwind-tables -fno-unwind-tables -fno-threadsafe-statics -fno-ident -fomit-frame-pointer)
target_compile_options(setup_core PRIVATE ${WIN_SIZE_FLAGS})
target_compile_options(setup_platform PRIVATE ${WIN_SIZE_FLAGS})
target_compile_definitions(setup_core PUBLIC WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601)
target_compile_definitions(setup_platform PUBLIC WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601)

add_executable(SETUP WIN32 setup/setup_main.cpp platform/win32/entry_win32.cpp
    platform/win32/delay_load_win32.cpp resources/setup.rc)
set_source_files_properties(resources/setup.rc PROPERTIES OBJECT_DEPENDS
    "${CMAKE_SOURCE_DIR}/resources/dialogs.rc;${CMAKE_SOURCE_DIR}/resources/dialog_ids.h;${CMAKE_SOURCE_DIR}/resources/version.h;${CMAKE_SOURCE_DIR}/resources/setup.manifest")
set_target_properties(SETUP PROPERTIES OUTPUT_NAME SETUP SUFFIX ".EXE")
target_compile_options(SETUP PRIVATE ${WIN_SIZE_FLAGS})
target_link_libraries(SETUP PRIVATE setup_core setup_platform)
# The map file feeds bench/size.sh (largest sections and symbols); the link
# carries no time stamp, so that the same sources give the same bytes.
# The program starts in its own entry (entry_win32.cpp), not in the C
# runtime's start-up code, with its own constructor runner, and links only
# what it uses: libgcc's stack probe and the system DLLs below.
# (With the default library list and no start-up code, ld 2.40 crashes after
# link-time optimisation.)
target_link_options(SETUP PRIVATE -Os -flto -fomit-frame-pointer -static -s -nostdlib -Wl,-e,_SetupEntry -Wl,--gc-sections
    -Wl,--dynamicbase -Wl,--nxcompat -Wl,--no-insert-timestamp -Wl,-Map=${CMAKE_BINARY_DIR}/SETUP.map)
# SETUP.EXE imports kernel32 alone. A static import of any other DLL would be
# resolved by the loader before the program restricts the DLL search, from
# the program's folder first, and with it the DLLs that this one imports in
# turn. Every other system DLL, the C runtime included, is linked through a
# delay-import library made from its .def file and loaded from the system
# folder at its first call (delay_load_win32.cpp). A function missing from a
# .def file would be taken from the toolchain's usual import libraries (CMake
# links them by default) and so imported statically: the check after the
# link below fails the build then. Add Name@N to the .def file, spelled as
# the mingw-w64 import library spells it (nm lib<dll>.a).
# Each library keeps its module handle in a word of initialised data, always
# zero at start: moved to uninitialised data, it costs no page of the file
# (SETUP.EXE has no other initialised data).
find_program(SETUP_DLLTOOL NAMES i686-w64-mingw32-dlltool dlltool REQUIRED)
find_program(SETUP_OBJCOPY NAMES i686-w64-mingw32-objcopy objcopy REQUIRED)
set(DELAY_IMPORTED_DLLS msvcrt user32 gdi32 advapi32 shell32 ole32 version ntdll)
set(DELAY_IMPORT_DIR ${CMAKE_BINARY_DIR}/delay_imports)
set(DELAY_IMPORT_LIBS)
foreach(dll ${DELAY_IMPORTED_DLLS})
  set(def ${CMAKE_SOURCE_DIR}/platform/win32/delay_imports/${dll}.def)
  set(lib ${DELAY_IMPORT_DIR}/lib${dll}_delay.a)
  add_custom_command(OUTPUT ${lib}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${DELAY_IMPORT_DIR}
    COMMAND ${SETUP_DLLTOOL} --kill-at --def ${def} --output-delaylib ${lib}
    COMMAND ${SETUP_OBJCOPY} --rename-section .data=.bss,alloc,data ${lib}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR} DEPENDS ${def} VERBATIM)
  list(APPEND DELAY_IMPORT_LIBS ${lib})
endforeach()
add_custom_target(delay_import_libs DEPENDS ${DELAY_IMPORT_LIBS})
add_dependencies(SETUP delay_import_libs)
target_link_libraries(SETUP PRIVATE gcc ${DELAY_IMPORT_LIBS} kernel32)
find_program(SETUP_OBJDUMP NAMES i686-w64-mingw32-objdump objdump REQUIRED)
add_custom_command(TARGET SETUP POST_BUILD
  COMMAND sh -c "imports=$(\"$0\" -p \"$1\" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr A-Z a-z | sort -u | tr '\\n' ' '); [ \"$imports\" = 'kernel32.dll ' ] || { echo \"SETUP.EXE imports $imports- only kernel32.dll may be imported; add the functions to platform/win32/delay_imports/*.def\" >&2; exit 1; }"
          ${SETUP_OBJDUMP} $<TARGET_FILE:SETUP>
  VERBATIM)

file(GLOB WIN_TOOL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/*_tool.cpp)
foreach(src ${WIN_TOOL_SOURCES})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src})
  # The tools import as usual; version.dll gives the core its version reading.
  target_link_libraries(${name} PRIVATE setup_core setup_platform version)
  target_link_options(${name} PRIVATE -static -s)
endforeach()

# The package checker: a console program that imports as the tools do.
add_executable(INFCHECK check/infcheck_main.cpp)
set_target_properties(INFCHECK PROPERTIES OUTPUT_NAME INFCHECK SUFFIX ".EXE")
target_link_libraries(INFCHECK PRIVATE infcheck_checks setup_core setup_platform version)
target_link_options(INFCHECK PRIVATE -static -s)

include(cmake/test_pe_files.cmake OPTIONAL)
include(cmake/example_package.cmake)

# The GUI tests' look into SETUP's open dialog (tests/wine/gui_test.sh).
add_executable(dialog_probe tests/tools/dialog_probe_win32.cpp)
target_link_options(dialog_probe PRIVATE -static -s)
target_link_libraries(dialog_probe PRIVATE user32 gdi32)

# The contract tests of the Win32 subset: a console program run under Wine
# by tests/wine/contract_test.sh, with the rows the native build runs
# against the emulation.
file(GLOB CONTRACT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/contract/*.cpp)
list(FILTER CONTRACT_SOURCES EXCLUDE REGEX ".*_posix\\.cpp$")
add_executable(contract_tests ${CONTRACT_SOURCES})
target_include_directories(contract_tests PRIVATE ${CMAKE_SOURCE_DIR})
target_link_options(contract_tests PRIVATE -static -s)
target_link_libraries(contract_tests PRIVATE advapi32 version ntdll)
