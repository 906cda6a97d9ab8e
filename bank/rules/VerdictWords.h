// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

#include "rules/FillKey.h"

// The verdict of one graded question in words, for the score sheet's tooltips and for screen readers: the sheet's
// colours alone say nothing to a candidate who cannot tell red from green. A question left without an answer is
// "未答" rather than merely wrong.
namespace VerdictWords {

// "正确", "错误" or "未答", followed by the candidate's answer (when there is one) and the key, separated by
// ideographic spaces: "错误　你的答案：B　正确答案：C".
QString forChoice(Verdict verdict, const QByteArray &answer, const QByteArray &key);

// "正确", "部分正确" (one blank of two right), "错误" or "未答".
QString forFill(Verdict verdict, const QByteArray &answer);

} // namespace VerdictWords
