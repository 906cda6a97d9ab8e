# SPDX-License-Identifier: GPL-3.0-or-later

# The whole paper drawing on the sample bank and on a large generated bank.
mockexam_add_bench(bench_drawing SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/bench_drawing.cpp LIBS bank bankkit codec_mlock_override)
target_compile_definitions(bench_drawing PRIVATE MOCKEXAM_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
