// SPDX-License-Identifier: GPL-3.0-or-later

#include <cstddef>
#include <cstdint>

#include <QByteArray>

#include "engine/BankError.h"
#include "jet/JetDump.h"
#include "jet/JetSnapshot.h"

// One input is whatever a reading child might write on its standard output. The trainer decodes it and, when it
// holds tables, builds the snapshot the statements run on; neither may fail in any other way than with a message.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const JetDump dump = decodeJetDump(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (dump.status != JetDump::Tables)
        return 0;
    try {
        JetSnapshot::build("4:fuzz|0", dump.tables, QStringLiteral("fuzz"));
    } catch (const BankError &) {
    }
    return 0;
}
