// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/KeyWarmUp.h"
#include "ui/Tfrm_qelNeoForm.h"

class BevelPanel;
class TKvLabel;
class TdxButton;

// The start screen and main window: shows the splash when it first comes up, starts (or resumes) an exam with
// "&S开始考试" and ends the program with "&Q退出" or when it is closed. It stays up behind the answering screens for
// the whole run.
class TFrm_Ks_Sta : public Tfrm_qelNeoForm {
    Q_OBJECT
public:
    explicit TFrm_Ks_Sta(QWidget *parent = nullptr);

    void FormShow(QObject *Sender) override;
    void Button1Click();
    void Button2Click();

    BevelPanel *Panel1;
    TKvLabel *Label6;
    TdxButton *Button1;
    TdxButton *Button2;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildButtons();
    void startExam();

    // The bank's keys, derived while the splash is up so that the first start is as quick as the others.
    KeyWarmUp m_keyWarmUp;
};
