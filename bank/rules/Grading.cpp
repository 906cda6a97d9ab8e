// SPDX-License-Identifier: GPL-3.0-or-later

#include "rules/Grading.h"

GradedPaper gradePaper() {
    GradedPaper paper;
    for (int n = 1; n <= Exam::kChoiceCount; ++n) {
        const _Tk &q = ChoiceQuestions[n];
        const bool right = choiceIsRight(q.Key, q.CandidateAnswer);
        paper.ChoiceVerdicts[n] = right ? Verdict::Right : Verdict::Wrong;
        if (right)
            paper.ChoiceScore += q.Score;
    }
    for (int i = 1; i <= Exam::kFillCount; ++i) {
        const FillJudgement judgement = judgeFill(FillQuestions[i].Key, FillQuestions[i].CandidateAnswer);
        paper.FillVerdicts[i] = judgement.verdict;
        paper.FillPoints += judgement.points;
    }
    paper.TotalScore = paper.ChoiceScore + paper.FillPoints;
    return paper;
}
