# SPDX-License-Identifier: GPL-3.0-or-later

# The engine under the drawing's load: open, one module statement, eleven moves to random rows, close.
mockexam_add_bench(bench_engine SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/bench_engine.cpp LIBS bank bankkit codec_mlock_override)
target_compile_definitions(bench_engine PRIVATE MOCKEXAM_SAMPLE_DIR="${CMAKE_SOURCE_DIR}/data/sample")
