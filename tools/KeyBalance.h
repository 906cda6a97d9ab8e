// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// How the keys of one module's choice questions spread over the letters A to D. A module whose keys favour one letter
// (or shun one) lets a candidate score by guessing that letter; with fewer than kMinQuestions questions the shares
// say too little to warn about.
struct KeyBalance {
    static constexpr int kMinQuestions = 20;
    static constexpr double kMinShare = 0.15;
    static constexpr double kMaxShare = 0.35;

    int counts[4] = {0, 0, 0, 0}; // A, B, C, D
    int others = 0;               // keys that are none of the four letters (the checker warns about each)

    void add(const QByteArray &key);
    int lettered() const { return counts[0] + counts[1] + counts[2] + counts[3]; }
    double share(int letter) const;

    // The letters (0 for A …) whose share is under kMinShare or over kMaxShare; none below kMinQuestions keys.
    QList<int> outOfRange() const;

    // "A 28（25%） B 29（26%） C 28（25%） D 28（25%）"
    QString summary() const;
};
