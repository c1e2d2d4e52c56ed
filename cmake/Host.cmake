# Native build of the core for fast tests under AddressSanitizer and UBSan,
# the fuzzers and the benchmarks.
option(QV_SANITIZE "Build the host tests with ASan and UBSan" ON)
option(QV_FUZZ "Build the libFuzzer targets (needs clang)" OFF)

add_library(qvcore STATIC ${QV_CORE_SOURCES})
target_include_directories(qvcore PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_options(qvcore PRIVATE -Wall -Wextra)

if(QV_SANITIZE)
  set(QV_SAN_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_compile_options(qvcore PUBLIC ${QV_SAN_FLAGS})
  target_link_options(qvcore PUBLIC ${QV_SAN_FLAGS})
endif()

if(QV_FUZZ)
  add_subdirectory(tests/fuzz)
elseif(BUILD_TESTING)
  add_subdirectory(tests/host)
endif()

if(NOT QV_SANITIZE AND NOT QV_FUZZ)
  add_subdirectory(bench)
endif()
