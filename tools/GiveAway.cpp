// SPDX-License-Identifier: GPL-3.0-or-later

#include "tools/GiveAway.h"

#include <QHash>
#include <QMap>
#include <QRegularExpression>

#include "rules/FillKey.h"

namespace GiveAway {

namespace {

// A character of the answer index, and a pair of neighbouring characters.
constexpr quint32 kAlone = 0xFFFF; // a code unit that never occurs in text

quint32 pairKey(QChar first, QChar second) {
    return (quint32(first.unicode()) << 16) | second.unicode();
}

quint32 aloneKey(QChar ch) {
    return (quint32(ch.unicode()) << 16) | kAlone;
}

bool isWordChar(QChar ch) {
    return ch.isLetterOrNumber() || ch == QLatin1Char('_');
}

bool isAsciiWordChar(QChar ch) {
    return ch.unicode() < 128 && isWordChar(ch);
}

// The blank markers of a fill-in stem, 【1】 and 【2】, in plain or full-width digits.
const QRegularExpression &markerPattern() {
    static const QRegularExpression pattern(QStringLiteral("【\\s*([0-9０-９]+)\\s*】"));
    return pattern;
}

int markerNumber(const QString &digits) {
    int number = 0;
    for (QChar ch : digits)
        number = number * 10 + ch.digitValue();
    return number;
}

QString withoutMarkers(const QString &text) {
    QString out = text;
    out.replace(markerPattern(), QStringLiteral(" "));
    return out;
}

// The bigrams of a text already normalised and free of markers. Tokens are hashed: two different tokens sharing a
// hash would at worst nudge an overlap, never find an answer that is not printed.
Bigrams bigramsOf(const QString &text) {
    QList<quint32> tokens;
    qsizetype i = 0;
    while (i < text.size()) {
        if (isAsciiWordChar(text[i])) {
            qsizetype end = i + 1;
            while (end < text.size() && isAsciiWordChar(text[end]))
                ++end;
            tokens.append(quint32(qHash(QStringView(text).mid(i, end - i))));
            i = end;
        } else {
            if (isWordChar(text[i]))
                tokens.append(quint32(qHash(QStringView(text).mid(i, 1))));
            ++i;
        }
    }
    Bigrams out;
    if (tokens.size() == 1)
        out.insert(tokens.front());
    for (qsizetype k = 0; k + 1 < tokens.size(); ++k)
        out.insert((quint64(tokens[k]) << 32) | tokens[k + 1]);
    return out;
}

// Sentences of a stem end at these full-width marks; the plain ";" and "?" belong to program text.
bool endsSentence(QChar ch) {
    return ch == QChar(0x3002) || ch == QChar(0xFF1B) || ch == QChar(0xFF1F) || ch == QChar(0xFF01);
}

} // namespace

QString normalized(const QString &text) {
    return text.normalized(QString::NormalizationForm_KC).toLower();
}

Bigrams bigrams(const QString &text) {
    return bigramsOf(withoutMarkers(normalized(text)));
}

Bigrams stockBigrams(const QList<Bigrams> &questions, double share) {
    Bigrams stock;
    if (questions.size() < kStockMinQuestions)
        return stock;
    QHash<quint64, int> holders;
    for (const Bigrams &question : questions)
        for (quint64 bigram : question)
            ++holders[bigram];
    const double limit = share * double(questions.size());
    for (auto it = holders.constBegin(); it != holders.constEnd(); ++it)
        if (double(it.value()) > limit)
            stock.insert(it.key());
    return stock;
}

double overlap(const Bigrams &fill, const Bigrams &choice, const Bigrams &stock, int minCompared) {
    int counted = 0;
    int shared = 0;
    for (quint64 bigram : fill) {
        if (stock.contains(bigram))
            continue;
        ++counted;
        shared += choice.contains(bigram) ? 1 : 0;
    }
    return double(shared) / double(qMax(counted, minCompared));
}

bool prints(const QString &text, const QString &answer) {
    if (answer.isEmpty())
        return false;
    const bool guardStart = isAsciiWordChar(answer.front());
    const bool guardEnd = isAsciiWordChar(answer.back());
    for (qsizetype at = text.indexOf(answer); at >= 0; at = text.indexOf(answer, at + 1)) {
        const qsizetype after = at + answer.size();
        if (guardStart && at > 0 && isAsciiWordChar(text[at - 1]))
            continue;
        if (guardEnd && after < text.size() && isAsciiWordChar(text[after]))
            continue;
        return true;
    }
    return false;
}

QString blankText(const QString &stem, int blank) {
    QRegularExpressionMatchIterator it = markerPattern().globalMatch(stem);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        if (markerNumber(match.captured(1)) != blank)
            continue;
        qsizetype start = match.capturedStart();
        while (start > 0 && !endsSentence(stem[start - 1]))
            --start;
        qsizetype end = match.capturedEnd();
        while (end < stem.size() && !endsSentence(stem[end]))
            ++end;
        const QString sentence = stem.mid(start, end - start);
        return bigrams(sentence).size() < kMinSentenceBigrams ? stem : sentence;
    }
    return stem;
}

PrintIndex::PrintIndex(const QList<QString> &texts) : m_texts(texts) {
    for (int c = 0; c < m_texts.size(); ++c) {
        const QString &text = m_texts[c];
        QSet<quint32> seen;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const quint32 keys[] = {aloneKey(text[i]), i + 1 < text.size() ? pairKey(text[i], text[i + 1]) : 0};
            for (quint32 key : keys)
                if (key != 0 && !seen.contains(key)) {
                    seen.insert(key);
                    m_holders[key].append(c);
                }
        }
    }
}

QList<int> PrintIndex::printing(const QString &answer) const {
    if (answer.isEmpty())
        return {};
    QList<int> rarest;
    if (answer.size() == 1) {
        rarest = m_holders.value(aloneKey(answer[0]));
    } else {
        for (qsizetype i = 0; i + 1 < answer.size(); ++i) {
            const auto found = m_holders.constFind(pairKey(answer[i], answer[i + 1]));
            if (found == m_holders.constEnd())
                return {};
            if (i == 0 || found->size() < rarest.size())
                rarest = *found;
        }
    }
    QList<int> out;
    for (int c : rarest)
        if (prints(m_texts[c], answer))
            out.append(c);
    return out;
}

} // namespace GiveAway

using namespace GiveAway;

QList<GiveAwayPair> findGiveAways(const QList<FillText> &fills, const QList<ChoiceText> &choices) {
    QList<QString> choiceTexts;
    QList<Bigrams> questionBigrams;
    for (const ChoiceText &choice : choices) {
        choiceTexts.append(normalized(choice.stem + QLatin1Char('\n') + choice.options.join(QLatin1Char('\n'))));
        questionBigrams.append(bigramsOf(withoutMarkers(choiceTexts.back())));
    }
    for (const FillText &fill : fills)
        questionBigrams.append(bigrams(fill.stem));
    const Bigrams stock = stockBigrams(questionBigrams);

    const PrintIndex index(choiceTexts);

    QList<GiveAwayPair> pairs;
    for (int f = 0; f < fills.size(); ++f) {
        const FillText &fill = fills[f];
        const FillKey key = FillKey::parse(fill.key);
        QMap<int, GiveAwayPair> byChoice;
        for (int blank = 1; blank <= key.blanks; ++blank) {
            const Bigrams compared = bigrams(key.blanks == 1 ? fill.stem : blankText(fill.stem, blank));
            for (const QByteArray &accepted : blank == 1 ? key.blank1 : key.blank2) {
                const QString written = QString::fromUtf8(accepted);
                const QString answer = normalized(written).trimmed();
                if (answer.isEmpty())
                    continue;
                const double threshold = answer.size() == 1 ? kSingleCharacterOverlapThreshold : kOverlapThreshold;
                for (int c : index.printing(answer)) {
                    const double found = GiveAway::overlap(compared, questionBigrams[c], stock);
                    if (found < threshold)
                        continue;
                    auto known = byChoice.find(c);
                    if (known == byChoice.end() || found > known->overlap)
                        byChoice.insert(c, {f, c, blank, written, found});
                }
            }
        }
        pairs.append(byChoice.values());
    }
    return pairs;
}

QList<CrossGiveAwayPair> findCrossModuleGiveAways(const QList<QList<FillText>> &fills,
                                                  const QList<QList<KeyedChoice>> &choices) {
    QList<CrossGiveAwayPair> out;
    for (int fm = 0; fm < fills.size(); ++fm) {
        if (fills[fm].isEmpty())
            continue;
        QList<ChoiceText> others;
        QList<QString> answers;
        QList<QPair<int, int>> places; // module, question
        for (int cm = 0; cm < choices.size(); ++cm) {
            if (cm == fm)
                continue;
            for (int c = 0; c < choices[cm].size(); ++c) {
                others.append({choices[cm][c].stem, choices[cm][c].options});
                answers.append(ChoiceGiveAway::answer(choices[cm][c]));
                places.append({cm, c});
            }
        }
        // Per fill-in question, by choice place; a same-answer pair takes the place of a likeness found for it.
        QMap<QPair<int, int>, CrossGiveAwayPair> found;
        for (const GiveAwayPair &pair : findGiveAways(fills[fm], others))
            found.insert({pair.fill, pair.choice}, {fm, 0, pair, false});
        for (int f = 0; f < fills[fm].size(); ++f) {
            const FillKey key = FillKey::parse(fills[fm][f].key);
            for (int blank = 1; blank <= key.blanks; ++blank)
                for (const QByteArray &accepted : blank == 1 ? key.blank1 : key.blank2) {
                    const QString written = QString::fromUtf8(accepted);
                    const QString answer = normalized(written).trimmed();
                    bool worded = false;
                    for (QChar ch : answer)
                        worded = worded || ch.isLetter();
                    if (answer.size() < kMinSameAnswerLength || !worded)
                        continue;
                    for (int c = 0; c < answers.size(); ++c)
                        if (answers[c] == answer)
                            found.insert({f, c}, {fm, 0, {f, c, blank, written, 0}, true});
                }
        }
        for (CrossGiveAwayPair cross : found) {
            const auto [module, question] = places[cross.pair.choice];
            cross.choiceModule = module;
            cross.pair.choice = question;
            out.append(cross);
        }
    }
    return out;
}
