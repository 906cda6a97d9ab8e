# SPDX-License-Identifier: GPL-3.0-or-later

# Qt6::Core5Compat as far as QuaZip needs it: the QTextCodec stand-in beside this file's prefix (header only).
if(NOT TARGET Qt6::Core5Compat)
    get_filename_component(_textcodec_prefix "${CMAKE_CURRENT_LIST_DIR}/../../.." ABSOLUTE)
    add_library(Qt6::Core5Compat INTERFACE IMPORTED)
    set_target_properties(Qt6::Core5Compat PROPERTIES INTERFACE_INCLUDE_DIRECTORIES "${_textcodec_prefix}/include"
                                                      INTERFACE_LINK_LIBRARIES Qt6::Core)
    unset(_textcodec_prefix)
endif()
set(Qt6Core5Compat_FOUND TRUE)
