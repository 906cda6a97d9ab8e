// SPDX-License-Identifier: GPL-3.0-or-later

#include "tools/FillKeyTyping.h"

#include <QRegularExpression>
#include <QSet>

namespace FillKeyTyping {

namespace {

bool isTypedBlank(QChar ch) {
    // An ideographic space is what a Chinese input method types for a blank.
    return ch == QLatin1Char(' ') || ch == QChar(0x3000);
}

} // namespace

QString untypable(const QByteArray &answer) {
    if (answer.contains('\n') || answer.contains('\r'))
        return QStringLiteral("含换行符：答题框只有一行，输不进换行");
    if (answer.contains('\0'))
        return QStringLiteral("含 NUL 字节（\\0）：键盘输不出这个字符");
    for (char c : answer)
        if ((uchar(c) < 0x20 && c != '\0') || uchar(c) == 0x7f)
            return QStringLiteral("含控制字符（如制表符）：在答题框里输不出来");
    const QString text = QString::fromUtf8(answer);
    if (!text.isEmpty() && (isTypedBlank(text.front()) || isTypedBlank(text.back())))
        return QStringLiteral("首尾有空格：考生看不出要输入这个空格");
    return QString();
}

int stemBlanks(const QString &stem) {
    static const QRegularExpression marker(QStringLiteral("【\\s*(\\d+)\\s*】"),
                                           QRegularExpression::UseUnicodePropertiesOption);
    QSet<int> numbers;
    for (auto it = marker.globalMatch(stem); it.hasNext();) {
        // \d with Unicode properties takes full-width digits too; digitValue reads either.
        int number = 0;
        for (QChar ch : it.next().captured(1))
            number = number * 10 + ch.digitValue();
        numbers.insert(number);
    }
    return int(numbers.size());
}

QList<QPair<QByteArray, QByteArray>> normalisationTwins(const QList<QByteArray> &answers) {
    QList<QPair<QByteArray, QByteArray>> twins;
    QList<QString> composed;
    for (const QByteArray &answer : answers)
        composed.append(QString::fromUtf8(answer).normalized(QString::NormalizationForm_C));
    for (int i = 0; i < answers.size(); ++i)
        for (int j = i + 1; j < answers.size(); ++j)
            if (answers[i] != answers[j] && composed[i] == composed[j])
                twins.append({answers[i], answers[j]});
    return twins;
}

} // namespace FillKeyTyping
