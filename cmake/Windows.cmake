# The Windows program: Win32 sources (app/ and every win32/ subfolder), the
# resource script and the static, system-DLL-only executable.
enable_language(RC)

set(STAYWICK_WIN_SYSTEM_LIBS user32 gdi32 shell32 comctl32 comdlg32 advapi32
    version uxtheme msimg32 ole32 dwmapi shlwapi)
target_link_libraries(staywick_common PUBLIC ${STAYWICK_WIN_SYSTEM_LIBS})

# The application: the main window, its wiring and the About window.
file(GLOB app_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/app/*.cpp)
list(REMOVE_ITEM app_sources ${CMAKE_SOURCE_DIR}/app/main.cpp)
add_library(staywick_app STATIC ${app_sources})
target_link_libraries(staywick_app PUBLIC staywick_settings staywick_tray staywick_license
                      staywick_diag staywick_ui staywick_engine staywick_platform staywick_common)
staywick_warnings(staywick_app)

# Everything the in-process tests link.
add_library(staywick_win INTERFACE)
target_link_libraries(staywick_win INTERFACE staywick_app)

if(MSVC)
  set(STAYWICK_EXE_LINK_OPTIONS /SUBSYSTEM:WINDOWS /DYNAMICBASE /HIGHENTROPYVA /NXCOMPAT)
else()
  # One self-contained exe: no MinGW runtime DLLs next to it.
  set(STAYWICK_EXE_LINK_OPTIONS -static -s -municode -mwindows
      -Wl,--dynamicbase,--high-entropy-va,--nxcompat,--gc-sections)
endif()

add_executable(Staywick WIN32 ${CMAKE_SOURCE_DIR}/app/main.cpp
               ${CMAKE_SOURCE_DIR}/resources/staywick.rc)
target_link_libraries(Staywick PRIVATE staywick_app)
target_link_options(Staywick PRIVATE ${STAYWICK_EXE_LINK_OPTIONS})
staywick_warnings(Staywick)
set_source_files_properties(${CMAKE_SOURCE_DIR}/resources/staywick.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/resources/staywick.manifest;${CMAKE_SOURCE_DIR}/resources/staywick.ico")
add_subdirectory(bench/win)
