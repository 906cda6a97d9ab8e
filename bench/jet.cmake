# SPDX-License-Identifier: GPL-3.0-or-later

# Legacy Access/Jet banks: the first load of a genuine file (child process, libmdb, stream, snapshot), its parts
# at the scale of a large bank, and a drawing after the first load against the same bank in our own format.
mockexam_add_bench(bench_jet SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/bench_jet.cpp LIBS bank bankkit codec_mlock_override)
target_compile_definitions(bench_jet PRIVATE MOCKEXAM_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
# The engine runs the bank tool beside the benchmark as its reading child.
add_dependencies(bench_jet mockexam-bank)
