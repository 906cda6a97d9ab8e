# SPDX-License-Identifier: GPL-3.0-or-later

# The first paper of a run against the later ones, click to drawn choice screen, through the real windows (run under
# xvfb-run). Each measurement is a fresh process.
add_executable(bench_firstpaper ${CMAKE_CURRENT_SOURCE_DIR}/bench_firstpaper.cpp)
target_link_libraries(bench_firstpaper PRIVATE appshell bankkit codec_mlock_override Qt6::Test mockexam_common)
target_compile_definitions(bench_firstpaper PRIVATE MOCKEXAM_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
