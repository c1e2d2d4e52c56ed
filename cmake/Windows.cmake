# The program for Windows (i686 or x86_64), its in-process tests and its end-to-end
# tests. Tests run under Wine through tools/wine-run.sh (set as emulator).
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/tools/wine-run.sh ${CMAKE_SYSTEM_PROCESSOR})

add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
  _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0800)
add_compile_options(-Wall -Wextra -Wno-unused-parameter -Wno-cast-function-type -Wno-missing-field-initializers)
add_link_options(-static -static-libgcc -static-libstdc++)

add_library(qvcore STATIC ${QV_CORE_SOURCES})
target_include_directories(qvcore PUBLIC ${CMAKE_SOURCE_DIR}/src)

include(src/AppSources.cmake)
add_library(qvapp STATIC ${QV_GUI_SOURCES} ${QV_APP_SOURCES})
target_include_directories(qvapp PUBLIC ${CMAKE_SOURCE_DIR}/src)
# The report's JPEG pictures are decoded by the libjpeg-turbo built for the
# plug-ins (tools/build-deps.sh), linked statically.
set(QV_DEPS_PREFIX ${CMAKE_SOURCE_DIR}/build/deps/${CMAKE_SYSTEM_PROCESSOR}/prefix)
target_include_directories(qvapp PRIVATE ${QV_DEPS_PREFIX}/include)
target_link_libraries(qvapp PUBLIC qvcore comctl32 shell32 ole32 oleaut32 uuid
  gdi32 user32 comdlg32 shlwapi advapi32 version ${QV_DEPS_PREFIX}/lib/libjpeg.a)

# The program's resources, compiled once for the program and its tests.
add_library(qvres OBJECT src/res/Quirevue.rc)
file(GLOB QV_RESOURCE_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/res/*.bmp ${CMAKE_SOURCE_DIR}/src/res/*.ico
  ${CMAKE_SOURCE_DIR}/src/res/*.cur ${CMAKE_SOURCE_DIR}/src/res/*.manifest
  ${CMAKE_SOURCE_DIR}/src/res/Dialogs.rc ${CMAKE_SOURCE_DIR}/src/res/DialogIds.h
  ${CMAKE_SOURCE_DIR}/src/core/support/ProductInfo.h)
set_source_files_properties(src/res/Quirevue.rc PROPERTIES OBJECT_DEPENDS "${QV_RESOURCE_FILES}")

add_executable(Quirevue WIN32 src/app/WinMain.cpp $<TARGET_OBJECTS:qvres>)
target_link_libraries(Quirevue PRIVATE qvapp)
target_link_options(Quirevue PRIVATE -municode)

add_subdirectory(plugins)
add_subdirectory(help)
add_subdirectory(bench/win)

if(BUILD_TESTING)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  add_subdirectory(tests/win)
  add_subdirectory(tests/e2e)
endif()
