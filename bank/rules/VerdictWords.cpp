// SPDX-License-Identifier: GPL-3.0-or-later

#include "rules/VerdictWords.h"

namespace VerdictWords {

namespace {

const QString kSeparator = QStringLiteral("　"); // ideographic space, as wide as one character

QString word(Verdict verdict, const QByteArray &answer) {
    switch (verdict) {
    case Verdict::Right:
        return QStringLiteral("正确");
    case Verdict::Partial:
        return QStringLiteral("部分正确");
    case Verdict::Wrong:
        break;
    }
    return answer.isEmpty() ? QStringLiteral("未答") : QStringLiteral("错误");
}

} // namespace

QString forChoice(Verdict verdict, const QByteArray &answer, const QByteArray &key) {
    QString text = word(verdict, answer);
    if (!answer.isEmpty())
        text += kSeparator + QStringLiteral("你的答案：") + QString::fromUtf8(answer);
    return text + kSeparator + QStringLiteral("正确答案：") + QString::fromUtf8(key);
}

QString forFill(Verdict verdict, const QByteArray &answer) {
    return word(verdict, answer);
}

} // namespace VerdictWords
