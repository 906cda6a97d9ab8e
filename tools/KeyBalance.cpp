// SPDX-License-Identifier: GPL-3.0-or-later

#include "tools/KeyBalance.h"

#include <QStringList>

void KeyBalance::add(const QByteArray &key) {
    if (key.size() == 1 && key[0] >= 'A' && key[0] <= 'D')
        ++counts[key[0] - 'A'];
    else
        ++others;
}

double KeyBalance::share(int letter) const {
    const int total = lettered();
    return total == 0 ? 0.0 : double(counts[letter]) / double(total);
}

QList<int> KeyBalance::outOfRange() const {
    QList<int> letters;
    if (lettered() < kMinQuestions)
        return letters;
    for (int letter = 0; letter < 4; ++letter)
        if (share(letter) < kMinShare || share(letter) > kMaxShare)
            letters.append(letter);
    return letters;
}

QString KeyBalance::summary() const {
    QStringList parts;
    for (int letter = 0; letter < 4; ++letter)
        parts.append(QStringLiteral("%1 %2（%3%）")
                         .arg(QChar(QLatin1Char(char('A' + letter))))
                         .arg(counts[letter])
                         .arg(qRound(share(letter) * 100)));
    return parts.join(QLatin1Char(' '));
}
