// SPDX-License-Identifier: GPL-3.0-or-later

#include <cstddef>
#include <cstdint>

#include <QByteArray>

#include "engine/BankError.h"
#include "tools/BankXlsx.h"
#include "tools/XlsxReader.h"

// One input is the bytes of a workbook. Everything a refused file gives is a BankError; anything else (a crash, a
// sanitizer report, an exception of another kind) is a fault. The limits are kept small so that each input is quick.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    XlsxLimits limits;
    limits.partBytes = qint64(4) << 20;
    limits.totalBytes = qint64(16) << 20;
    try {
        XlsxWorkbook workbook(bytes, QStringLiteral("fuzz.xlsx"), limits);
        for (int i = 0; i < workbook.sheetNames().size(); ++i) {
            try {
                QList<BankSources::NumericCode> codes;
                // A table name without required columns, so that any header is taken and the rows are read.
                BankTables tables;
                tables.knowledge = BankSources::tableFromSheet(workbook.sheet(i), QStringLiteral("any"),
                                                               QStringLiteral("fuzz.xlsx"), &codes);
                (void)BankSources::lostZeroNotices(tables, codes);
            } catch (const BankError &) {
            }
        }
    } catch (const BankError &) {
    }
    return 0;
}
