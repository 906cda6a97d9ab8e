// SPDX-License-Identifier: GPL-3.0-or-later

#include "tools/LengthCue.h"

namespace LengthCue {

int visibleLength(const QString &option) {
    int length = 0;
    for (QChar ch : option.normalized(QString::NormalizationForm_KC))
        length += ch.isSpace() || ch.isLowSurrogate() ? 0 : 1;
    return length;
}

Lengths lengths(const QStringList &options, int key) {
    Lengths out;
    for (int o = 0; o < options.size(); ++o) {
        const int length = visibleLength(options[o]);
        if (o == key)
            out.keyed = length;
        else
            out.longestDistractor = qMax(out.longestDistractor, length);
    }
    return out;
}

bool stands(const QStringList &options, int key) {
    if (key < 0 || key >= options.size() || options.size() < 2)
        return false;
    const Lengths found = lengths(options, key);
    return found.keyed * 10 >= kRatioTenths * found.longestDistractor &&
           found.keyed >= found.longestDistractor + kMargin;
}

} // namespace LengthCue
