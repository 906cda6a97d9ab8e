// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/screens/HandMadeExam.h"

#include <QTest>

#include <algorithm>
#include <iterator>

#include "rules/ExamState.h"
#include "screens/ReviewMode.h"
#include "screens/ScreenGlobals.h"
#include "screens/TFrm_Ks_Choose.h"
#include "screens/TFrm_Ks_Fill.h"
#include "ui/Tfrm_qelNeoForm.h"

namespace {

QByteArray letterOf(int n) {
    return QByteArray(1, "ABCD"[(n - 1) % 4]);
}

// Choice questions answered right; 7 is worth nothing.
constexpr int kRightChoices[] = {1, 2, 3, 7, 20, 21, 40, 41, 55};

struct FillCase {
    const char *key;
    const char *answer;
    TColor color;
};

// Keys of every shape and the answers the mixed paper gives them.
const FillCase FillCases[Exam::kFillCount] = {
    {"答案1", "答案1", Colors::clGreen},        // one blank, equal
    {"甲#乙", "乙", Colors::clGreen},           // one blank, second accepted answer
    {"X1#Y1@Z1@W1", "W1##X1", Colors::clGreen}, // two blanks, reversed order
    {"X4#Y4@Z4", "X4 only", Colors::clOlive},   // blank 1 only
    {"X5#Y5@Z5", "Z5", Colors::clOlive},        // blank 2 only
    {"答案6", " 答案6", Colors::clRed},         // leading space
    {"#空", "", Colors::clRed},                 // an empty answer never counts
    {"X8#Y8@Z8", "nothing", Colors::clRed},     // neither blank
    {"", "", Colors::clRed},                    // empty key, empty answer
    {"甲10@乙10", "乙10甲10", Colors::clGreen}, // two blanks without "#" in blank 1
};

} // namespace

namespace HandMadeExam {

QString choiceText(int n) {
    return QStringLiteral("选择题第%1题").arg(n);
}

QString fillText(int n) {
    return QStringLiteral("填空题第%1题：____").arg(n);
}

void writePaper() {
    resetExamState();
    for (int n = 1; n <= Exam::kChoiceCount; ++n) {
        _Tk &q = ChoiceQuestions[n];
        q.QuestionText = choiceText(n).toUtf8();
        q.OptionA = QStringLiteral("A-%1").arg(n).toUtf8();
        q.OptionB = QStringLiteral("B-%1").arg(n).toUtf8();
        q.OptionC = QStringLiteral("C-%1").arg(n).toUtf8();
        q.OptionD = QStringLiteral("D-%1").arg(n).toUtf8();
        q.Key = letterOf(n);
        q.Analysis = QStringLiteral("解析%1").arg(n).toUtf8();
        q.KnowledgeCount = n % 3;
        for (int k = 1; k <= q.KnowledgeCount; ++k)
            q.KnowledgeTexts[k] = QStringLiteral("知识点%1-%2").arg(n).arg(k).toUtf8();
        q.KnowledgeIndex = 1;
        q.Score = n % 2 ? 2 : 1;
    }
    ChoiceQuestions[7].Score = 0;
    // Keys that are not one capital letter as the screen stores answers never match.
    ChoiceQuestions[5].Key = "b";
    ChoiceQuestions[6].Key = "C ";
    for (int i = 1; i <= Exam::kFillCount; ++i) {
        _Fill &f = FillQuestions[i];
        f.Id = i;
        f.QuestionText = fillText(i).toUtf8();
        f.Key = FillCases[i - 1].key;
        f.ModuleId = (i + 1) / 2;
        f.KnowledgeText = QStringLiteral("填空知识点%1").arg(i).toUtf8();
    }
    RemainingMinutes = 45;
    RemainingSeconds = 30;
}

void answerMixed() {
    for (int n : kRightChoices)
        ChoiceQuestions[n].CandidateAnswer = ChoiceQuestions[n].Key;
    ChoiceQuestions[4].CandidateAnswer = "A";
    ChoiceQuestions[5].CandidateAnswer = "B";
    ChoiceQuestions[6].CandidateAnswer = "C";
    for (int i = 1; i <= Exam::kFillCount; ++i)
        FillQuestions[i].CandidateAnswer = FillCases[i - 1].answer;
}

TColor expectedChoiceColor(int n) {
    const bool right = std::find(std::begin(kRightChoices), std::end(kRightChoices), n) != std::end(kRightChoices);
    return right ? Colors::clGreen : Colors::clRed;
}

TColor expectedFillColor(int i) {
    return FillCases[i - 1].color;
}

void createScreens() {
    Frm_Ks_Sta = new Tfrm_qelNeoForm(QSize(377, 233), TFormBorderStyle::bsSingle, biSystemMenu);
    Frm_Ks_Sta->setObjectName(QStringLiteral("Frm_Ks_Sta"));
    Frm_Ks_Choose = new TFrm_Ks_Choose;
    handInWhenTimeIsUp(Frm_Ks_Choose);
    Frm_Ks_Choose->Tag = 1;
    Frm_Ks_Fill = new TFrm_Ks_Fill;
    Frm_Ks_Sta->show();
    QVERIFY(QTest::qWaitForWindowExposed(Frm_Ks_Sta));
}

void destroyScreens() {
    delete Frm_Ks_Fill;
    Frm_Ks_Fill = nullptr;
    delete Frm_Ks_Choose;
    Frm_Ks_Choose = nullptr;
    delete Frm_Ks_Sta;
    Frm_Ks_Sta = nullptr;
}

} // namespace HandMadeExam
