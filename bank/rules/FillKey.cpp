// SPDX-License-Identifier: GPL-3.0-or-later

#include "rules/FillKey.h"

namespace {
// The text before the first separator and the text after it; no separator gives the whole text alone.
QList<QByteArray> splitFirst(const QByteArray &text, const char *separators) {
    qsizetype at = -1;
    for (const char *s = separators; *s; ++s) {
        const qsizetype i = text.indexOf(*s);
        if (i >= 0 && (at < 0 || i < at))
            at = i;
    }
    if (at < 0)
        return {text};
    return {text.left(at), text.mid(at + 1)};
}

QList<QByteArray> nonEmpty(const QList<QByteArray> &texts) {
    QList<QByteArray> out;
    for (const QByteArray &t : texts)
        if (!t.isEmpty())
            out.append(t);
    return out;
}

bool containsAny(const QByteArray &answer, const QList<QByteArray> &accepted) {
    for (const QByteArray &a : accepted)
        if (answer.contains(a))
            return true;
    return false;
}
} // namespace

FillKey FillKey::parse(const QByteArray &key) {
    FillKey parsed;
    const qsizetype at = key.indexOf('@');
    if (at < 0) {
        parsed.blank1 = nonEmpty(splitFirst(key, "#"));
        return parsed;
    }
    parsed.blanks = 2;
    parsed.blank1 = nonEmpty(splitFirst(key.left(at), "#"));
    parsed.blank2 = nonEmpty(splitFirst(key.mid(at + 1), "@#"));
    return parsed;
}

bool FillKey::twoBlankWithoutHash(const QByteArray &key) {
    const qsizetype at = key.indexOf('@');
    return at >= 0 && !key.left(at).contains('#');
}

bool FillKey::hashInSecondBlank(const QByteArray &key) {
    const qsizetype at = key.indexOf('@');
    return at >= 0 && key.mid(at + 1).contains('#');
}

FillJudgement judgeFill(const QByteArray &key, const QByteArray &answer) {
    const FillKey parsed = FillKey::parse(key);
    FillJudgement result;
    if (answer.isEmpty())
        return result;
    if (parsed.blanks == 1) {
        if (parsed.blank1.contains(answer)) {
            result.points = 2;
            result.verdict = Verdict::Right;
        }
        return result;
    }
    const bool first = containsAny(answer, parsed.blank1);
    const bool second = containsAny(answer, parsed.blank2);
    result.points = int(first) + int(second);
    result.verdict = first && second ? Verdict::Right : (first || second ? Verdict::Partial : Verdict::Wrong);
    return result;
}

bool choiceIsRight(const QByteArray &key, const QByteArray &answer) {
    return !answer.isEmpty() && answer == key;
}
