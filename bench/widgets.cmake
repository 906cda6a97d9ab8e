# SPDX-License-Identifier: GPL-3.0-or-later

# Gradient building against painting from prepared bitmaps: the cost that hover and press must not pay.
mockexam_add_bench(bench_gradient SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/bench_gradient.cpp LIBS ui)
