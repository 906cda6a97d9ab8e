# SPDX-License-Identifier: GPL-3.0-or-later

# libFuzzer targets for the legacy Access/Jet reading path. Not part of any default build or test run: configure a
# separate clang build with -DMOCKEXAM_BUILD_BENCH=ON -DMOCKEXAM_BUILD_FUZZ=ON -DENABLE_SANITIZERS=ON, then see
# bench/fuzz_jet.sh. Our own code is instrumented for coverage; Debian's libmdb is not, so inside the library the
# fuzzer mutates blind and AddressSanitizer sees only what passes through the allocator and the string functions.
option(MOCKEXAM_BUILD_FUZZ "Build the libFuzzer targets for legacy Access/Jet files (clang only)" OFF)
if(MOCKEXAM_BUILD_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "MOCKEXAM_BUILD_FUZZ needs clang (CC=clang CXX=clang++)")
    endif()
    target_compile_options(mockexam_common INTERFACE -fsanitize=fuzzer-no-link)
    # What the child does with a file: the header check, libmdb's reading, and the stream it sends.
    add_executable(fuzz_jet_reader ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_jet_reader.cpp)
    # What the trainer does with what a child sends: decoding the stream and building the snapshot.
    add_executable(fuzz_jet_stream ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_jet_stream.cpp)
    foreach(target fuzz_jet_reader fuzz_jet_stream)
        target_link_libraries(${target} PRIVATE bank bankkit mockexam_common)
        target_link_options(${target} PRIVATE -fsanitize=fuzzer)
    endforeach()
endif()
