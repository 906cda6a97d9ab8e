// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/BankFormat.h"

#include <atomic>

#include "engine/BankError.h"
#include "engine/BankFile.h"
#include "engine/SqliteDatabase.h"
#include "engine/WorkgroupFile.h"

namespace {

class OwnFormat final : public BankFormat {
public:
    bool recognises(const QString &path) const override {
        try {
            BankFile::requirePlainBank(path);
            return true;
        } catch (...) {
            return false;
        }
    }
    void verifyLogon(const ConnectionSettings &settings) const override {
        WorkgroupFile::verify(settings.systemDatabase, settings.userId, settings.password);
    }
    void open(SqliteDatabase &db, const ConnectionSettings &settings) const override {
        // A build replaces the workgroup file a moment before the bank; an open that falls between the two renames
        // meets the new workgroup file beside the old bank and simply tries the pair once more. The logon has been
        // verified already, so asking for the identity again is answered from the cache.
        for (int attempt = 1;; ++attempt) {
            const QByteArray identity =
                WorkgroupFile::verify(settings.systemDatabase, settings.userId, settings.password);
            BankFile::open(db, settings.dataSource, settings.databasePassword);
            if (identity.isEmpty() || BankFile::identityOfOpen(db) == identity)
                return;
            if (attempt >= 2)
                throw BankError(BankFile::mismatchMessage(settings.dataSource, settings.systemDatabase));
            db.close();
        }
    }
    void prepare(const ConnectionSettings &settings) const override {
        verifyLogon(settings);
        BankFile::prepareKey(settings.dataSource, settings.databasePassword);
    }
};

// Our format for every bank file, so that whatever is wrong with a file is said as our format's open says it.
class OwnFormatOnly final : public BankFormatChooser {
public:
    const BankFormat &formatOf(const QString &) const override { return BankFormats::own(); }
    const BankFormat &logOn(const ConnectionSettings &settings) const override {
        BankFormats::own().verifyLogon(settings);
        return BankFormats::own();
    }
};

const OwnFormatOnly g_ownFormatOnly;
// Read by the key warm-up's worker thread as well.
std::atomic<const BankFormatChooser *> g_chooser{&g_ownFormatOnly};

} // namespace

BankFormat::~BankFormat() = default;

void BankFormat::prepare(const ConnectionSettings &) const {}

BankFormatChooser::~BankFormatChooser() = default;

namespace BankFormats {

const BankFormat &own() {
    static const OwnFormat format;
    return format;
}

void installChooser(const BankFormatChooser *chooser) {
    g_chooser = chooser ? chooser : &g_ownFormatOnly;
}

const BankFormatChooser &chooser() {
    return *g_chooser.load();
}

} // namespace BankFormats
