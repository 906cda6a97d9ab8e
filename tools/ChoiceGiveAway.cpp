// SPDX-License-Identifier: GPL-3.0-or-later

#include "tools/ChoiceGiveAway.h"

#include <QRegularExpression>

#include "tools/GiveAway.h"

namespace ChoiceGiveAway {

namespace {

bool isAsciiWordChar(QChar ch) {
    return ch.unicode() < 128 && (ch.isLetterOrNumber() || ch == QLatin1Char('_'));
}

// A cut between text[at - 1] and text[at] that would split a word of letters or digits ("12" | "3").
bool splitsWord(const QString &text, qsizetype at) {
    return at > 0 && at < text.size() && isAsciiWordChar(text[at - 1]) && isAsciiWordChar(text[at]);
}

QString optionText(const QString &option) {
    return GiveAway::normalized(option).trimmed();
}

// Whether text prints the answer somewhere that the asking stem does not show around it as well.
bool printsBeyond(const QString &text, const QString &answer, const QString &askingStem) {
    for (qsizetype at = text.indexOf(answer); at >= 0; at = text.indexOf(answer, at + 1)) {
        const qsizetype from = qMax<qsizetype>(at - 1, 0);
        const QString around = text.mid(from, qMin(at + answer.size() + 1, text.size()) - from);
        if (!askingStem.contains(around) && GiveAway::prints(around, answer))
            return true;
    }
    return false;
}

} // namespace

QString answer(const KeyedChoice &question) {
    if (question.key < 0 || question.key >= question.options.size())
        return QString();
    QStringList options;
    for (const QString &option : question.options)
        options.append(optionText(option));
    const QString &keyed = options[question.key];

    qsizetype prefix = keyed.size();
    qsizetype suffix = keyed.size();
    for (const QString &option : options) {
        qsizetype p = 0;
        while (p < prefix && p < option.size() && option[p] == keyed[p])
            ++p;
        prefix = p;
        qsizetype s = 0;
        while (s < suffix && s < option.size() && option[option.size() - 1 - s] == keyed[keyed.size() - 1 - s])
            ++s;
        suffix = s;
    }
    while (prefix > 0 && splitsWord(keyed, prefix))
        --prefix;
    while (suffix > 0 && splitsWord(keyed, keyed.size() - suffix))
        --suffix;
    const QString cut = keyed.mid(prefix, keyed.size() - prefix - suffix).trimmed();
    return cut.size() >= kMinCutAnswer ? cut : keyed;
}

bool asksForTheFalse(const QString &stem) {
    static const QRegularExpression pattern(
        QStringLiteral("不正确|错误|不包括|不属于|不是|不符合|不具有|不能|不可能|不宜|无关"));
    return pattern.match(stem).hasMatch();
}

} // namespace ChoiceGiveAway

using namespace ChoiceGiveAway;

QList<ChoiceGiveAwayPair> findChoiceGiveAways(const QList<KeyedChoice> &questions) {
    QList<QString> answers;
    QList<QStringList> held; // what each question states: its stem, then the options it holds true
    QList<QString> stated;   // the same as one text, for the index
    QList<GiveAway::Bigrams> whole;
    for (const KeyedChoice &question : questions) {
        answers.append(answer(question));
        QStringList parts{GiveAway::normalized(question.stem)};
        const bool negative = asksForTheFalse(question.stem);
        for (int o = 0; o < question.options.size(); ++o)
            if ((o == question.key) != negative)
                parts.append(optionText(question.options[o]));
        held.append(parts);
        stated.append(parts.join(QLatin1Char('\n')));
        whole.append(GiveAway::bigrams(question.stem + QLatin1Char('\n') + question.options.join(QLatin1Char('\n'))));
    }
    const GiveAway::Bigrams stock = GiveAway::stockBigrams(whole, kStockShare);
    const GiveAway::PrintIndex index(stated);

    QList<ChoiceGiveAwayPair> pairs;
    for (int q = 0; q < questions.size(); ++q) {
        const QString &given = answers[q];
        if (given.isEmpty())
            continue;
        GiveAway::Bigrams asked;
        for (const QString &piece : GiveAway::normalized(questions[q].stem).split(given))
            asked.unite(GiveAway::bigrams(piece));
        const double threshold =
            given.size() == 1 ? GiveAway::kSingleCharacterOverlapThreshold : GiveAway::kOverlapThreshold;
        const QString askingStem = GiveAway::normalized(questions[q].stem);
        QStringList distractors;
        for (int o = 0; o < questions[q].options.size(); ++o)
            if (o != questions[q].key && !optionText(questions[q].options[o]).isEmpty())
                distractors.append(optionText(questions[q].options[o]));
        for (int p : index.printing(given)) {
            if (p == q)
                continue;
            // An option that is the answer alone states nothing: the candidate sees it as one choice of four.
            bool states = false;
            for (qsizetype part = 0; part < held[p].size() && !states; ++part)
                states = (part == 0 || held[p][part] != given) && printsBeyond(held[p][part], given, askingStem);
            for (const QString &distractor : distractors)
                for (const QString &part : held[p])
                    states = states && !printsBeyond(part, distractor, askingStem);
            if (!states)
                continue;
            const double found = GiveAway::overlap(asked, whole[p], stock, kMinComparedBigrams);
            if (found >= threshold)
                pairs.append({q, p, given, found});
        }
    }
    return pairs;
}
