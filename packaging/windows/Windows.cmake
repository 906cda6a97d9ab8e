# SPDX-License-Identifier: GPL-3.0-or-later

# The Windows build's packaging: the icon and version resources of the two programs, a folder laid out as
# windeployqt would lay it out (the programs, the DLLs they load, Qt's platform plugin, styles and Chinese
# translations, qt.conf, Dat\ with the sample bank, the licence), and from it the portable zip
# (`windows_zip` target) and the installer (`windows_installer`, built with makensis).
set(win_dir ${CMAKE_CURRENT_SOURCE_DIR}/windows)
set(MOCKEXAM_WIN_PACKAGE "mockexam-${PROJECT_VERSION}-win64" CACHE INTERNAL "Name of the zip and its folder")

# The icon: pictures drawn by the trainer's own icon code (run under the emulator), packed into one .ico.
add_executable(render_app_icon render_app_icon.cpp)
target_link_libraries(render_app_icon PRIVATE ui Qt6::Gui mockexam_common)
set(ico_sizes 16 24 32 48 64 256)
set(ico_pngs)
foreach(size ${ico_sizes})
    list(APPEND ico_pngs ${CMAKE_CURRENT_BINARY_DIR}/icons/hicolor/${size}x${size}/apps/mockexam.png)
endforeach()
set(MOCKEXAM_ICO ${CMAKE_CURRENT_BINARY_DIR}/mockexam.ico)
add_custom_command(OUTPUT ${MOCKEXAM_ICO}
                   COMMAND render_app_icon ${CMAKE_CURRENT_BINARY_DIR}/icons mockexam ${ico_sizes}
                   COMMAND bash ${win_dir}/make-ico.sh ${MOCKEXAM_ICO} ${ico_pngs}
                   DEPENDS render_app_icon ${win_dir}/make-ico.sh COMMENT "Drawing the Windows icon")
add_custom_target(windows_icon DEPENDS ${MOCKEXAM_ICO})

foreach(program mockexam mockexam-bank)
    if(program STREQUAL mockexam)
        set(MOCKEXAM_RC_DESCRIPTION "计算机等级考试(笔试)模拟练习")
    else()
        set(MOCKEXAM_RC_DESCRIPTION "模拟练习的题库工具")
    endif()
    set(MOCKEXAM_RC_FILE ${program}.exe)
    configure_file(${win_dir}/mockexam.rc.in ${CMAKE_CURRENT_BINARY_DIR}/${program}.rc @ONLY)
    target_sources(${program} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${program}.rc)
    set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/${program}.rc TARGET_DIRECTORY ${program}
                                PROPERTIES OBJECT_DEPENDS ${MOCKEXAM_ICO})
    add_dependencies(${program} windows_icon)
endforeach()
# The trainer is a windowed program: no console window opens beside it when it is double-clicked.
set_target_properties(mockexam PROPERTIES WIN32_EXECUTABLE ON)

# The laid-out folder, made at install time from the Qt and MinGW the build used.
get_target_property(qt_core_dll Qt6::Core IMPORTED_LOCATION_RELEASE)
get_filename_component(MOCKEXAM_QT_BIN ${qt_core_dll} DIRECTORY)
get_filename_component(MOCKEXAM_QT_PREFIX ${MOCKEXAM_QT_BIN} DIRECTORY)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll OUTPUT_VARIABLE stdcxx_dll
                OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libgcc_s_seh-1.dll OUTPUT_VARIABLE gcc_dll
                OUTPUT_STRIP_TRAILING_WHITESPACE)
find_file(MOCKEXAM_WINPTHREAD_DLL libwinpthread-1.dll PATHS /usr/${MINGW_TRIPLET}/lib NO_DEFAULT_PATH
          NO_CMAKE_FIND_ROOT_PATH REQUIRED)
find_file(MOCKEXAM_QT_ZH_QM qtbase_zh_CN.qm PATHS /usr/share/qt6/translations NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH
          REQUIRED)
set(MOCKEXAM_WIN_RUNTIME_DLLS ${stdcxx_dll} ${gcc_dll} ${MOCKEXAM_WINPTHREAD_DLL} CACHE INTERNAL
    "The MinGW runtime the programs load")
set(MOCKEXAM_WIN_QT_BIN ${MOCKEXAM_QT_BIN} CACHE INTERNAL "Qt's DLL folder")

install(TARGETS mockexam mockexam-bank RUNTIME DESTINATION .)
install(FILES ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/Dat/Bs.mdb ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/Dat/Mq4100.mdw
        DESTINATION Dat)
install(FILES ${PROJECT_SOURCE_DIR}/data/sample/LICENSE DESTINATION Dat RENAME LICENSE-bank.txt)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
install(FILES ${MOCKEXAM_WIN_RUNTIME_DLLS} ${MOCKEXAM_QT_BIN}/Qt6Core.dll ${MOCKEXAM_QT_BIN}/Qt6Gui.dll
              ${MOCKEXAM_QT_BIN}/Qt6Widgets.dll DESTINATION .)
# The bank tool's workbook support: QuaZip (its QTextCodec is a header-only stand-in, see windows-toolchain.sh).
get_target_property(quazip_dll QuaZip::QuaZip IMPORTED_LOCATION_RELEASE)
install(FILES ${quazip_dll} DESTINATION .)
install(FILES ${MOCKEXAM_QT_PREFIX}/plugins/platforms/qwindows.dll DESTINATION platforms)
install(FILES ${MOCKEXAM_QT_PREFIX}/plugins/styles/qwindowsvistastyle.dll DESTINATION styles)
install(FILES ${MOCKEXAM_QT_ZH_QM} DESTINATION translations)
install(FILES ${win_dir}/qt.conf DESTINATION .)

# Zip and installer: installed into a staging folder, then packed. The installer script takes the staged files.
set(stage ${CMAKE_BINARY_DIR}/windows-stage/${MOCKEXAM_WIN_PACKAGE})
set(MOCKEXAM_WIN_ZIP ${CMAKE_BINARY_DIR}/${MOCKEXAM_WIN_PACKAGE}.zip)
set(MOCKEXAM_WIN_SETUP ${CMAKE_BINARY_DIR}/mockexam-${PROJECT_VERSION}-setup.exe CACHE INTERNAL "The installer")
add_custom_target(windows_stage
                  COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage}
                  COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --prefix ${stage} --strip
                  # The DLLs come with their symbols (the C++ runtime alone is 23 MB with them, 2 without).
                  COMMAND find ${stage} -name *.dll -exec ${CMAKE_STRIP} --strip-unneeded {} +
                  DEPENDS mockexam mockexam-bank sample_bank COMMENT "Laying out the Windows folder")
add_custom_target(windows_zip
                  COMMAND ${CMAKE_COMMAND} -E rm -f ${MOCKEXAM_WIN_ZIP}
                  COMMAND ${CMAKE_COMMAND} -E tar cf ${MOCKEXAM_WIN_ZIP} --format=zip ${MOCKEXAM_WIN_PACKAGE}
                  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/windows-stage COMMENT "Packing ${MOCKEXAM_WIN_PACKAGE}.zip")
add_dependencies(windows_zip windows_stage)
find_program(MAKENSIS makensis NO_CMAKE_FIND_ROOT_PATH)
if(MAKENSIS)
    add_custom_target(windows_installer
                      COMMAND ${MAKENSIS} -V2 -INPUTCHARSET UTF8 -DVERSION=${PROJECT_VERSION} -DSTAGE=${stage}
                              -DOUTFILE=${MOCKEXAM_WIN_SETUP} -DICON=${MOCKEXAM_ICO} ${win_dir}/mockexam.nsi
                      COMMENT "Building mockexam-${PROJECT_VERSION}-setup.exe")
    add_dependencies(windows_installer windows_stage)
endif()
