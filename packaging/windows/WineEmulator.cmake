# SPDX-License-Identifier: GPL-3.0-or-later

# In the Windows cross build, the build's own steps (the sample bank, the icon) and the tests run the .exe files
# under Wine: a wrapper with this build's Wine prefix and DLL folders becomes the emulator of every target.
find_package(Qt6 REQUIRED COMPONENTS Core)
get_target_property(qt_core_dll Qt6::Core IMPORTED_LOCATION_RELEASE)
get_filename_component(qt_bin ${qt_core_dll} DIRECTORY)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll OUTPUT_VARIABLE stdcxx_dll
                OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(gcc_bin ${stdcxx_dll} DIRECTORY)
set(MOCKEXAM_WINE_DLLS "${qt_bin};${gcc_bin};/usr/${MINGW_TRIPLET}/lib;${MOCKEXAM_WIN_EXTRA_DLL_DIRS}")
set(MOCKEXAM_WINE_PREFIX "${CMAKE_BINARY_DIR}/wine-prefix" CACHE PATH "The Wine prefix the tests run in")
set(MOCKEXAM_WINE_RUN ${CMAKE_BINARY_DIR}/wine-run.sh)
file(WRITE ${MOCKEXAM_WINE_RUN}.tmp "#!/usr/bin/env bash\n"
     "export MOCKEXAM_WINE_PREFIX=\"\${MOCKEXAM_WINE_PREFIX:-${MOCKEXAM_WINE_PREFIX}}\"\n"
     "export MOCKEXAM_WINE_DLLS='${MOCKEXAM_WINE_DLLS}'\n"
     "exec bash '${CMAKE_SOURCE_DIR}/tests/windows/wine-run.sh' \"$@\"\n")
file(CHMOD ${MOCKEXAM_WINE_RUN}.tmp PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
     WORLD_READ WORLD_EXECUTE)
file(RENAME ${MOCKEXAM_WINE_RUN}.tmp ${MOCKEXAM_WINE_RUN})
set(CMAKE_CROSSCOMPILING_EMULATOR ${MOCKEXAM_WINE_RUN})
