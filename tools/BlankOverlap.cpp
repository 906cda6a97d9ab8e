// SPDX-License-Identifier: GPL-3.0-or-later

#include "tools/BlankOverlap.h"

#include "rules/FillKey.h"

QList<BlankOverlap> findBlankOverlaps(const QByteArray &key) {
    const FillKey parsed = FillKey::parse(key);
    QList<BlankOverlap> found;
    if (parsed.blanks != 2)
        return found;
    for (const QByteArray &first : parsed.blank1)
        for (const QByteArray &second : parsed.blank2) {
            if (second.contains(first))
                found.append({1, first, second});
            else if (first.contains(second))
                found.append({2, second, first});
        }
    return found;
}
