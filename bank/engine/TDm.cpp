// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/TDm.h"

TDm *Dm = nullptr;

TDm::TDm(QObject *parent) : QObject(parent) {
    setObjectName(QStringLiteral("Dm"));
    ADOConnection1 = new TADOConnection(this);
    ADOConnection1->setObjectName(QStringLiteral("ADOConnection1"));
    ADOQuery1 = new TADOQuery(ADOConnection1, this);
    ADOQuery1->setObjectName(QStringLiteral("ADOQuery1"));
}
