// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/KeyWarmUp.h"

#include "engine/BankFormat.h"
#include "engine/ConnectionString.h"

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
    BankFormats::chooser().formatOf(settings.dataSource).prepare(settings);
}
