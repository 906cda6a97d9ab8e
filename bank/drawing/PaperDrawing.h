// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

class TADOQuery;

// The paper drawing: 11 distinct choice questions from each of the five modules with their knowledge points, and 2
// distinct fill-in questions from each module, read through the data module's query into the exam state.
//
// Every statement goes through the query in the same five steps (close, clear, add, open, first), and because the
// connection does not stay open, each one runs on a freshly opened connection. Rows are picked by position: the
// random source is reseeded from the clock before every single pick, and a pick whose id was drawn already is
// thrown away and made again. A module that cannot give enough distinct ids is found before the first pick, so the
// retry always ends.
//
// On any failure the exam state is left with no paper at all (every record and answer box empty) and the error is
// passed on: a half-drawn paper is never kept.

// The answer boxes of the two answering screens, which the drawing empties as it numbers the questions.
class DrawingSink {
public:
    virtual ~DrawingSink() = default;
    virtual void clearChoiceAnswerBox(int n) = 0;
    virtual void clearFillAnswerBox(int n) = 0;
};

// The ids of the drawn rows in question order, as text (the form the no-repeat test compares).
struct DrawnPaper {
    QList<QByteArray> choiceIds; // 55: questions 1..55
    QList<QByteArray> fillIds;   // 10: questions 1..10
};

// Gives a row position 0..rowCount-1 (0 when rowCount is 0).
using RowPick = std::function<int(int rowCount)>;
// Ticks of a clock that moves quickly enough to tell two picks apart.
using SeedClock = std::function<quint64()>;

// The high-resolution clock's ticks.
quint64 highResolutionTicks();

// The trainer's pick: a generator reseeded from the clock before every pick, then a uniform whole number.
RowPick clockSeededPick(SeedClock clock = highResolutionTicks);

// Draws a new paper into ChoiceQuestions and FillQuestions, empties the answer boxes through the sink (may be null)
// in question order and sets the countdown to 90:00. Throws BankError.
DrawnPaper drawPaper(TADOQuery &query, DrawingSink *sink, const RowPick &pick = clockSeededPick());

// True when the knowledge codes hold nothing but blanks and control characters.
bool knowledgeCodesBlank(const QByteArray &codes);

// The knowledge statement for a question's codes, cut into 5-byte pieces. A quote inside a piece is doubled, so a
// code always looks up exactly itself.
QString knowledgeStatement(const QByteArray &codes);

// The most pieces a knowledge statement can hold. Each piece after the first adds one "or" to a chain that the
// engine parses as a tree one level deeper, and the engine refuses a tree deeper than 1000 levels: a question with
// more pieces cannot be looked up, and its drawing fails.
constexpr int kMaxKnowledgePieces = 999;
