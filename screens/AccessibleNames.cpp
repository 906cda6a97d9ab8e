// SPDX-License-Identifier: GPL-3.0-or-later

#include "screens/AccessibleNames.h"

#include <QAbstractScrollArea>
#include <QScrollBar>
#include <QWidget>

#include "rules/ExamState.h"
#include "ui/DisabledBoxScrollBar.h"

namespace {

struct Name {
    const char *component;
    const char *name;
};

void nameChild(QWidget *screen, const QString &component, const QString &name) {
    if (auto *child = screen->findChild<QWidget *>(component))
        child->setAccessibleName(name);
}

void nameAll(QWidget *screen, std::initializer_list<Name> names) {
    for (const Name &entry : names)
        nameChild(screen, QLatin1String(entry.component), QString::fromUtf8(entry.name));
}

QString questionName(int n) {
    return QStringLiteral("第 %1 题").arg(n);
}

void nameChoiceScreen(QWidget *screen) {
    for (int n = 1; n <= Exam::kChoiceCount; ++n) {
        nameChild(screen, QStringLiteral("BitBtn%1").arg(n), questionName(n));
        nameChild(screen, QStringLiteral("Edit%1").arg(n), questionName(n) + QStringLiteral("答案"));
    }
    for (const QChar letter : {u'A', u'B', u'C', u'D'}) {
        nameChild(screen, QStringLiteral("Btn_Ans_") + letter, QStringLiteral("选 ") + letter);
        nameChild(screen, QStringLiteral("Edt_Ans_") + letter, QStringLiteral("选项 ") + letter);
    }
    nameAll(screen, {{"Edt_Tm", "题目"}, {"Mem_Analysis", "评析"}, {"PageControl1", "选择题题号"}});
}

void nameFillScreen(QWidget *screen) {
    for (int n = 1; n <= Exam::kFillCount; ++n) {
        nameChild(screen, QStringLiteral("BitBtn%1").arg(n), questionName(n));
        nameChild(screen, QStringLiteral("Edt_Fill_Da%1").arg(n), questionName(n) + QStringLiteral("答案"));
    }
    nameAll(screen, {{"Mem_Tm", "题目"}, {"Memo1", "答案与解析"}, {"Mem_Xs", "提示"}});
}

void nameScoreSheet(QWidget *screen) {
    for (int n = 1; n <= Exam::kChoiceCount; ++n)
        nameChild(screen, QStringLiteral("BitBtn%1").arg(n), QStringLiteral("选择题") + questionName(n));
    for (int i = 1; i <= Exam::kFillCount; ++i)
        nameChild(screen, QStringLiteral("BitBtn%1").arg(Exam::kChoiceCount + i),
                  QStringLiteral("填空题") + questionName(i));
    nameAll(screen, {{"Edit_choose", "选择题得分"}, {"Edit_fill", "填空题得分"}, {"Edit_sum", "总分"}});
}

// The box a scroll bar belongs to: the one it stands in for, or the one it is part of.
const QAbstractScrollArea *scrolledBox(const QScrollBar *bar) {
    if (const auto *standIn = qobject_cast<const DisabledBoxScrollBar *>(bar))
        return standIn->box();
    for (const QWidget *w = bar->parentWidget(); w; w = w->parentWidget())
        if (const auto *box = qobject_cast<const QAbstractScrollArea *>(w))
            return box;
    return nullptr;
}

void nameScrollBars(QWidget *screen) {
    for (QScrollBar *bar : screen->findChildren<QScrollBar *>()) {
        const QAbstractScrollArea *box = scrolledBox(bar);
        if (box && !box->accessibleName().isEmpty())
            bar->setAccessibleName(box->accessibleName() + QStringLiteral("滚动条"));
    }
}

} // namespace

void nameControls(QWidget *screen) {
    const QString name = screen->objectName();
    if (name == QLatin1String("Frm_Ks_Choose"))
        nameChoiceScreen(screen);
    else if (name == QLatin1String("Frm_Ks_Fill"))
        nameFillScreen(screen);
    else if (name == QLatin1String("Frm_Ping"))
        nameScoreSheet(screen);
    nameScrollBars(screen);
}
