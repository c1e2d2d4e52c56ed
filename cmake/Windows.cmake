# The program for 32-bit Windows, its in-process tests and its end-to-end
# tests. Tests run under Wine through tools/wine-run.sh (set as emulator).
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/tools/wine-run.sh)

add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
  _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0800)
add_compile_options(-Wall -Wextra -Wno-unused-parameter -Wno-cast-function-type -Wno-missing-field-initializers)
add_link_options(-static -static-libgcc -static-libstdc++)

add_library(qvcore STATIC ${QV_CORE_SOURCES})
target_include_directories(qvcore PUBLIC ${CMAKE_SOURCE_DIR}/src)

include(src/AppSources.cmake)
add_library(qvapp STATIC ${QV_GUI_SOURCES} ${QV_APP_SOURCES})
target_include_directories(qvapp PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(qvapp PUBLIC qvcore comctl32 shell32 ole32 oleaut32 uuid
  gdi32 user32 comdlg32 shlwapi advapi32 version)

add_executable(Quirevue WIN32 src/app/WinMain.cpp src/res/Quirevue.rc)
target_link_libraries(Quirevue PRIVATE qvapp)
target_link_options(Quirevue PRIVATE -municode)
set_source_files_properties(src/res/Quirevue.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/src/res/ImageList1.bmp;${CMAKE_SOURCE_DIR}/src/res/ImageList2.bmp;${CMAKE_SOURCE_DIR}/src/res/SortUp.bmp;${CMAKE_SOURCE_DIR}/src/res/SortDown.bmp;${CMAKE_SOURCE_DIR}/src/res/Quirevue.ico;${CMAKE_SOURCE_DIR}/src/res/Quirevue.manifest")

add_subdirectory(bench/win)

if(BUILD_TESTING)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  add_subdirectory(tests/win)
  add_subdirectory(tests/e2e)
endif()
