# SETUP.EXE: static, stripped, small, GUI subsystem.
enable_language(RC)
# Link-time optimisation lets the linker inline and drop across the small
# files of the core: about a fifth of the program's size.
set(WIN_SIZE_FLAGS -Os -flto -ffunction-sections -fdata-sections -fno-exceptions -fno-rtti
    -fno-asynchronous-unwind-tables -fno-unwind-tables -fno-threadsafe-statics -fno-ident)
target_compile_options(setup_core PRIVATE ${WIN_SIZE_FLAGS})
target_compile_options(setup_platform PRIVATE ${WIN_SIZE_FLAGS})
target_compile_definitions(setup_core PUBLIC WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601)
target_compile_definitions(setup_platform PUBLIC WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601)

add_executable(SETUP WIN32 setup/setup_main.cpp platform/win32/entry_win32.cpp resources/setup.rc)
# The resource script pulls in files that the compiler's include scan does not
# see (the manifest is named as a resource file, not included).
set_source_files_properties(resources/setup.rc PROPERTIES OBJECT_DEPENDS
    "${CMAKE_SOURCE_DIR}/resources/dialogs.rc;${CMAKE_SOURCE_DIR}/resources/dialog_ids.h;${CMAKE_SOURCE_DIR}/resources/version.h;${CMAKE_SOURCE_DIR}/resources/setup.manifest")
set_target_properties(SETUP PROPERTIES OUTPUT_NAME SETUP SUFFIX ".EXE")
target_compile_options(SETUP PRIVATE ${WIN_SIZE_FLAGS})
target_link_libraries(SETUP PRIVATE setup_core setup_platform)
# The map file feeds bench/size.sh (largest sections and symbols); the link
# carries no time stamp, so that the same sources give the same bytes.
# The program starts in its own entry (entry_win32.cpp), not in the C
# runtime's start-up code, and links only what it uses: msvcrt.dll, the
# constructor runner of libmingw32, libgcc's stack probe, and the system DLLs. (With the default
# library list and no start-up code, ld 2.40 crashes after link-time
# optimisation.)
target_link_options(SETUP PRIVATE -Os -flto -static -s -nostdlib -Wl,-e,_SetupEntry -Wl,--gc-sections
    -Wl,--dynamicbase -Wl,--nxcompat -Wl,--no-insert-timestamp -Wl,-Map=${CMAKE_BINARY_DIR}/SETUP.map)
# Only DLLs that Windows always takes from the system directory are imported;
# everything else is loaded at run time by full system path.
target_link_libraries(SETUP PRIVATE mingw32 gcc msvcrt user32 gdi32 advapi32 shell32 ole32 kernel32)

file(GLOB WIN_TOOL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/*_tool.cpp)
foreach(src ${WIN_TOOL_SOURCES})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src})
  target_link_libraries(${name} PRIVATE setup_core setup_platform)
  target_link_options(${name} PRIVATE -static -s)
endforeach()

include(cmake/test_pe_files.cmake OPTIONAL)
include(cmake/example_package.cmake)

# The GUI tests' look into SETUP's open dialog (tests/wine/gui_test.sh).
add_executable(dialog_probe tests/tools/dialog_probe_win32.cpp)
target_link_options(dialog_probe PRIVATE -static -s)
target_link_libraries(dialog_probe PRIVATE user32 gdi32)
