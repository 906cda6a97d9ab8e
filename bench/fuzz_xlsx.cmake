# SPDX-License-Identifier: GPL-3.0-or-later

# libFuzzer target for reading workbooks (.xlsx): the zip container, the parts' XML and the turning of sheets into
# tables. Built with the same switch and build as the Jet targets (see fuzz_jet.cmake); run it with
# bench/fuzz_xlsx.sh. QuaZip and zlib are not instrumented, so inside them the fuzzer mutates blind.
if(MOCKEXAM_BUILD_FUZZ)
    add_executable(fuzz_xlsx_reader ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_xlsx_reader.cpp)
    target_link_libraries(fuzz_xlsx_reader PRIVATE bank bankkit mockexam_common)
    target_link_options(fuzz_xlsx_reader PRIVATE -fsanitize=fuzzer)
endif()
