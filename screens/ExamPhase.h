// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Which phase the exam is in. No flag of its own holds it: the phase is what the screens show, read from the same
// component properties the screens keep (the choice screen's Tag, the review look of the answering screens, the
// score sheet's global), so that the answer cannot drift from what the candidate sees.
//
//   phase          paperDrawn()  inReview()  sheetShowing()  how it is entered
//   no paper       no            no          no              program start; a start after "exam left"
//   exam running   yes           no          no              the choice screen shown without a paper draws one
//   review         yes           yes         yes             "交卷" on either screen, or the countdown's end
//   exam left      no            yes         no              the sheet closed ("退出" or its close button); an
//                                                            answering screen may still be open in review look
//
// A paper is drawn only in "no paper"; the next start leaves "exam left" for "no paper" by switching the review look
// off and hiding any answering screen still open. The countdown's end hands in only an exam running.
namespace ExamPhase {

// The choice screen holds a drawn paper: Tag 1.
bool paperDrawn();
// The answering screens show the review look: the choice screen's "交卷" disabled, the fill-in screen's "答案"
// shown. The mode switch sets both screens alike; either one in review look is review.
bool inReview();
// A score sheet is up: Frm_Ping is set.
bool sheetShowing();
// A paper drawn, not in review and no sheet up: the exam is running.
bool examRunning();

} // namespace ExamPhase
