// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

#include "engine/TADOConnection.h"
#include "engine/TADOQuery.h"

// The data module: the one question-bank connection and the one reusable query, created at start-up and used by
// the start screen (to point the connection at the bank) and by the paper drawing (to run its statements).
class TDm : public QObject {
    Q_OBJECT
public:
    explicit TDm(QObject *parent = nullptr);

    TADOConnection *ADOConnection1;
    TADOQuery *ADOQuery1;
};

extern TDm *Dm;
