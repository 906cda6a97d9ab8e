// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringList>

class QTextStream;

// mockexam-bank show DIR ID: prints one question of the bank in DIR in full (see QuestionPrinter), so that an author
// can proof-read a bank without the trainer. Choice and fill-in questions have ids of their own, so an id may name a
// question in each table: "choose:12" and "fill:12" say which, a bare "12" means the choice question when there is
// one and the fill-in question otherwise. Throws UsageError for an id it cannot read and BankError for one the bank
// lacks.
int runShowCommand(const QStringList &args, QTextStream &out);
