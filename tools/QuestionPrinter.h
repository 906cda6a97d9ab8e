// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class QTextStream;

// Prints one question in full, as an author proof-reads it: every text the trainer shows for it, labelled, in the
// order the screens show them. A text of one line follows its label; a longer one (a program) starts on the next
// line, indented, so that its own indentation stays visible; an empty one reads "（空）".

// One knowledge point of a choice question. The code is empty where the source does not tell it (a drawn paper keeps
// only title and text); `missing` marks a code for which the bank has no knowledge point.
struct KnowledgePoint {
    QString code;
    QString title;
    QString text;
    bool missing = false;
};

struct ChoiceQuestionPrint {
    QString heading; // "选择题 tid=19（模块 1）"
    QString stem;
    QStringList options; // A to D
    QString key;
    QString score;
    QString analysis;
    QString codes; // the knowledge codes as stored
    QList<KnowledgePoint> knowledge;
};

struct FillQuestionPrint {
    QString heading;
    QString stem;
    QByteArray key; // read by the fill-in key format to list each blank's accepted answers and the points
    QString explanation;
};

void printChoiceQuestion(const ChoiceQuestionPrint &question, QTextStream &out);
void printFillQuestion(const FillQuestionPrint &question, QTextStream &out);
