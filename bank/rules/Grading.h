// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "rules/ExamState.h"
#include "rules/FillKey.h"

// The graded paper: a verdict per question and the three scores the score sheet shows. Computed from the exam
// state alone, so grading never depends on what a screen happens to display.
struct GradedPaper {
    OneBased<Verdict, Exam::kChoiceCount> ChoiceVerdicts;
    OneBased<Verdict, Exam::kFillCount> FillVerdicts;
    qint32 ChoiceScore = 0;
    qint32 FillPoints = 0;
    qint32 TotalScore = 0;
};

GradedPaper gradePaper();
