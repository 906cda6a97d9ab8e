// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/KeyWarmUp.h"

#include "engine/BankError.h"
#include "engine/BankFile.h"
#include "engine/ConnectionString.h"
#include "engine/WorkgroupFile.h"
#include "jet/JetBank.h"

KeyWarmUp::~KeyWarmUp() {
    wait();
}

void KeyWarmUp::start(const QString &connectionString) {
    wait();
    m_worker = std::thread([connectionString] {
        try {
            derive(connectionString);
        } catch (...) {
            // Reported by the opening that needs the key (see the class comment).
        }
    });
}

void KeyWarmUp::wait() {
    if (m_worker.joinable())
        m_worker.join();
}

void KeyWarmUp::derive(const QString &connectionString) {
    const ConnectionSettings settings = parseConnectionString(connectionString);
    if (JetBank::recognises(settings.dataSource))
        return;
    WorkgroupFile::verify(settings.systemDatabase, settings.userId, settings.password);
    BankFile::prepareKey(settings.dataSource, settings.databasePassword);
}
