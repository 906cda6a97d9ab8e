// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/ResultSet.h"

#include "engine/KeysetResult.h"
#include "engine/MaterialisedResult.h"

std::unique_ptr<ResultSet> ResultSet::run(sqlite3 *db, const QString &statement, const QString &bankPath) {
    if (auto keyset = KeysetResult::tryOpen(db, statement, bankPath))
        return keyset;
    return std::make_unique<MaterialisedResult>(db, statement, bankPath);
}
