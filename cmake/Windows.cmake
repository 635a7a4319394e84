# The Windows program: Win32 sources (app/ and every win32/ subfolder), the
# resource script and the static, system-DLL-only executable.
enable_language(RC)

set(STAYWICK_WIN_SYSTEM_LIBS user32 gdi32 shell32 comctl32 comdlg32 advapi32 ntdll
    version uxtheme msimg32 ole32 dwmapi shlwapi)
target_link_libraries(staywick_common PUBLIC ${STAYWICK_WIN_SYSTEM_LIBS})

# The application: the main window, its wiring and the About window.
file(GLOB app_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/app/*.cpp)
# The GNU C++ library's throw helpers and the thread functions its exception
# support calls belong to the MinGW exe alone (see the files).
list(REMOVE_ITEM app_sources ${CMAKE_SOURCE_DIR}/app/main.cpp
     ${CMAKE_SOURCE_DIR}/app/std_throw_helpers.cpp ${CMAKE_SOURCE_DIR}/app/std_thread_helpers.cpp)
set(STAYWICK_THROW_HELPERS)
set(STAYWICK_THREAD_HELPERS)
if(NOT MSVC)
  set(STAYWICK_THROW_HELPERS ${CMAKE_SOURCE_DIR}/app/std_throw_helpers.cpp)
  set(STAYWICK_THREAD_HELPERS ${CMAKE_SOURCE_DIR}/app/std_thread_helpers.cpp)
endif()
add_library(staywick_app STATIC ${app_sources})
target_link_libraries(staywick_app PUBLIC staywick_settings staywick_tray staywick_license
                      staywick_diag staywick_ui staywick_engine staywick_platform staywick_common)
staywick_warnings(staywick_app)

# Everything the in-process tests link.
add_library(staywick_win INTERFACE)
target_link_libraries(staywick_win INTERFACE staywick_app)

if(MSVC)
  set(STAYWICK_EXE_LINK_OPTIONS /SUBSYSTEM:WINDOWS,6.01 /DYNAMICBASE /HIGHENTROPYVA /NXCOMPAT)
else()
  # One self-contained exe: no MinGW runtime DLLs next to it.
  # No link time in the header, so one commit always gives the same exe.
  # A GUI program has no console for the default terminate handler's message,
  # and that handler pulls in the C++ name demangler (about 50 KB): an
  # uncaught exception ends the program through abort() instead.
  # The header names Windows 7 (6.1) as the oldest system the exe runs on.
  set(STAYWICK_EXE_LINK_OPTIONS -static -s -municode -mwindows
      -Wl,--dynamicbase,--high-entropy-va,--nxcompat,--gc-sections,--no-insert-timestamp
      -Wl,--major-subsystem-version,6,--minor-subsystem-version,1
      -Wl,--major-os-version,6,--minor-os-version,1
      -Wl,--defsym,_ZN9__gnu_cxx27__verbose_terminate_handlerEv=abort)
  # The program's code optimised for size over speed; everything runs on
  # one GUI thread, so local statics need no locks around their
  # initialisation (which would also bring in the runtime's condition
  # variables); nothing asks for a type at run time, so no type information
  # is kept.
  set(STAYWICK_LEAN_COMPILE_OPTIONS -Oz -fno-threadsafe-statics -fno-rtti)
  # The layers' objects also carry the compiler's intermediate code, so the
  # exe is optimised as one program when it is linked (below), while the
  # in-process tests link the same objects' machine code as it is (-fno-lto:
  # the linker would otherwise optimise them whole too).
  set(STAYWICK_WHOLE_PROGRAM_COMPILE_OPTIONS -flto -ffat-lto-objects)
  foreach(layer common platform engine ui settings diag license tray app)
    target_compile_options(staywick_${layer} PRIVATE ${STAYWICK_LEAN_COMPILE_OPTIONS}
                           ${STAYWICK_WHOLE_PROGRAM_COMPILE_OPTIONS})
  endforeach()
  target_link_options(staywick_win INTERFACE -fno-lto)
  # Optimised as one program at link time, the exe is about 63 KB smaller:
  # one copy of each small helper, and code that no caller needs dropped
  # across the layers. In one partition, since GCC 12 stops with an internal
  # error on this program when it splits the work.
  set(STAYWICK_WHOLE_PROGRAM_LINK_OPTIONS -flto -flto-partition=one)
endif()

add_executable(Staywick WIN32 ${CMAKE_SOURCE_DIR}/app/main.cpp ${STAYWICK_THROW_HELPERS}
               ${STAYWICK_THREAD_HELPERS}
               ${CMAKE_SOURCE_DIR}/resources/staywick.rc)
target_link_libraries(Staywick PRIVATE staywick_app)
target_link_options(Staywick PRIVATE ${STAYWICK_EXE_LINK_OPTIONS}
                    ${STAYWICK_WHOLE_PROGRAM_LINK_OPTIONS})
target_compile_options(Staywick PRIVATE ${STAYWICK_LEAN_COMPILE_OPTIONS}
                       ${STAYWICK_WHOLE_PROGRAM_COMPILE_OPTIONS})
staywick_warnings(Staywick)
set_source_files_properties(${CMAKE_SOURCE_DIR}/resources/staywick.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/resources/staywick.manifest;${CMAKE_SOURCE_DIR}/resources/staywick.ico")
add_subdirectory(bench/win)
add_subdirectory(bench/lean)
add_subdirectory(packaging)
