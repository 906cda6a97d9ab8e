// SPDX-License-Identifier: GPL-3.0-or-later

#include "rules/BankNumber.h"

#include <limits>

namespace BankNumber {

std::optional<qint64> parse(const QByteArray &text) {
    const qsizetype digitsFrom = (text.startsWith('-') || text.startsWith('+')) ? 1 : 0;
    if (digitsFrom == text.size())
        return std::nullopt;
    for (qsizetype i = digitsFrom; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
    bool ok = false;
    const qint64 number = text.toLongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    return number;
}

std::optional<qint32> readInt32(const QByteArray &text) {
    if (text.isEmpty())
        return 0;
    const std::optional<qint64> number = parse(text);
    if (!number || *number < std::numeric_limits<qint32>::min() || *number > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(*number);
}

QByteArray storedText(const QByteArray &text) {
    const std::optional<qint64> number = parse(text);
    return number ? QByteArray::number(*number) : text;
}

bool scoreInRange(qint32 score) {
    return score >= -kMaxScore && score <= kMaxScore;
}

QString scoreOutOfRange(qint32 score) {
    return QStringLiteral("Score 为 %1，超出 -%2 到 %2：几道这样的题加起来，试卷的总分就超出了能计算的范围")
        .arg(score)
        .arg(kMaxScore);
}

} // namespace BankNumber
