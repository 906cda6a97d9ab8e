# SPDX-License-Identifier: GPL-3.0-or-later

# The stand-in answers for the Qt version it is built beside.
set(PACKAGE_VERSION 6.4.2)
set(PACKAGE_VERSION_COMPATIBLE TRUE)
if(PACKAGE_FIND_VERSION VERSION_EQUAL PACKAGE_VERSION)
    set(PACKAGE_VERSION_EXACT TRUE)
endif()
