// SPDX-License-Identifier: GPL-3.0-or-later

#include <cstddef>
#include <cstdint>

#include <QByteArray>

#include "engine/BankError.h"
#include "jet/JetDump.h"
#include "jet/JetHeader.h"
#include "tools/JetMdbReader.h"

// One input is the bytes of a legacy bank file. The engine decodes the header in the trainer's own process, so that
// part must take anything; the rest is what the reading child does with the file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    JetHeader header;
    if (JetHeader::decode(bytes, &header))
        (void)header.accepts(QStringLiteral("password"));
    try {
        const QByteArray stream = encodeJetTables(JetMdbReader::readBuffer(bytes, {}));
        if (decodeJetDump(stream).status != JetDump::Tables)
            __builtin_trap(); // the child's own stream must always decode
    } catch (const BankError &) {
        // A refused file: the child reports it and ends normally.
    }
    return 0;
}
