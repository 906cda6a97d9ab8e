// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

#include "rules/OneBased.h"

// The exam state: the single in-memory copy of the current paper and of the candidate's answers, shared by every
// screen. Plain global records, zero-filled at start-up, never written back to the question bank.
//
// Text is held as UTF-8 bytes as the engine delivers it. Lengths, positions and comparisons on it count bytes; UTF-8
// guarantees that a byte-wise search never matches across a character boundary, which the fill-in key format relies
// on when it splits at "@" and "#".

// One drawn multiple-choice question.
struct _Tk {
    QByteArray QuestionText;
    QByteArray OptionA;
    QByteArray OptionB;
    QByteArray OptionC;
    QByteArray OptionD;
    QByteArray Key;
    QByteArray CandidateAnswer;
    QByteArray Analysis;
    QByteArray KnowledgeCodes;
    OneBased<QByteArray, 10> KnowledgeTexts;
    qint32 KnowledgeCount = 0;
    qint32 KnowledgeIndex = 0;
    qint32 Score = 0;
};

// One drawn fill-in question.
struct _Fill {
    qint32 Id = 0;
    QByteArray QuestionText;
    QByteArray Key;
    QByteArray CandidateAnswer;
    qint32 ModuleId = 0;
    QByteArray KnowledgeText;
};

namespace Exam {
constexpr int kModuleCount = 5;
constexpr int kChoicePerModule = 11;
constexpr int kFillPerModule = 2;
constexpr int kChoiceCount = kModuleCount * kChoicePerModule; // 55
constexpr int kFillCount = kModuleCount * kFillPerModule;     // 10
constexpr int kExamMinutes = 90;
constexpr int kKnowledgeSlots = 10;
// A choice question's knowledge codes are pieces of this many characters written one after another.
constexpr int kKnowledgeCodeLength = 5;
} // namespace Exam

extern OneBased<_Tk, Exam::kChoiceCount> ChoiceQuestions;
extern OneBased<_Fill, Exam::kFillCount> FillQuestions;
extern qint32 RemainingMinutes;
extern qint32 RemainingSeconds;
// Full path of the question bank file; empty until the first exam is started.
extern QString BankPath;

// Back to the zero-filled start-up state. The program itself never needs it (a new paper overwrites every record);
// tests use it to start from a clean slate.
void resetExamState();
