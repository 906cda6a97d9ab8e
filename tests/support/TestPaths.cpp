// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/support/TestPaths.h"

#include <QtGlobal>

QString sourceDir() {
    return qEnvironmentVariable("MOCKEXAM_SOURCE_DIR");
}

QString binDir() {
    return qEnvironmentVariable("MOCKEXAM_BIN_DIR");
}
