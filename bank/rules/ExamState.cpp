// SPDX-License-Identifier: GPL-3.0-or-later

#include "rules/ExamState.h"

OneBased<_Tk, Exam::kChoiceCount> ChoiceQuestions;
OneBased<_Fill, Exam::kFillCount> FillQuestions;
qint32 RemainingMinutes = 0;
qint32 RemainingSeconds = 0;
QString BankPath;

void resetExamState() {
    ChoiceQuestions.fill(_Tk{});
    FillQuestions.fill(_Fill{});
    RemainingMinutes = 0;
    RemainingSeconds = 0;
    BankPath.clear();
}
