// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/TFrm_Ks_Sta.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>

#include <memory>

#include "app/AppInfo.h"
#include "app/BevelPanel.h"
#include "app/BusyMessage.h"
#include "app/ExecutableDir.h"
#include "app/Tfrm_logo.h"
#include "engine/ConnectionString.h"
#include "engine/TDm.h"
#include "rules/ExamState.h"
#include "screens/ExamPhase.h"
#include "screens/ReviewMode.h"
#include "screens/ScreenGlobals.h"
#include "screens/TFrm_Ks_Choose.h"
#include "screens/TFrm_Ks_Fill.h"
#include "ui/Fonts.h"
#include "ui/HandlerGuard.h"
#include "ui/ModalLayer.h"
#include "ui/RoadLog.h"
#include "ui/ScreenButton.h"
#include "ui/TKvLabel.h"
#include "ui/TdxButton.h"

TFrm_Ks_Sta::TFrm_Ks_Sta(QWidget *parent)
    : Tfrm_qelNeoForm(QSize(377, 233), TFormBorderStyle::bsSingle, biSystemMenu, parent) {
    setObjectName(QStringLiteral("Frm_Ks_Sta"));
    setCaption(productTitle());

    Panel1 = new BevelPanel(PanelBkGnd);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(2, 7, 364, 220);
    Panel1->setBevelInner(BevelPanel::Bevel::Lowered);
    Panel1->setBevelOuter(BevelPanel::Bevel::Lowered);
    Panel1->setBorderWidth(4);

    Label6 = new TKvLabel(Panel1);
    Label6->setObjectName(QStringLiteral("Label6"));
    Label6->setGeometry(126, 50, 264, 28);
    Label6->setFont(songFont(21));
    Label6->setFontColor(Colors::clWindowText);
    Label6->setCaption(QStringLiteral("笔试 V1.1"));

    buildButtons();

    // Centred before the first showing, so the window does not appear at a corner first.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
}

void TFrm_Ks_Sta::buildButtons() {
    Button1 =
        makeScreenButton(Panel1, "Button1", QStringLiteral("&S开始考试"), QPoint(80, 136), 211, startButtonColors());
    Button2 = makeScreenButton(Panel1, "Button2", QStringLiteral("&Q退出"), QPoint(80, 168), 211, quitButtonColors());
    setTabOrder(Button1, Button2);
    connect(Button1, &TdxButton::clicked, this, &TFrm_Ks_Sta::Button1Click);
    connect(Button2, &TdxButton::clicked, this, &TFrm_Ks_Sta::Button2Click);
}

void TFrm_Ks_Sta::FormShow(QObject *Sender) {
    Tfrm_qelNeoForm::FormShow(Sender);
    // The two slow key derivations of the first start run while the splash is up (see KeyWarmUp).
    const QString dat = executableDir() + QStringLiteral("Dat") + QDir::separator();
    m_keyWarmUp.start(buildConnectionString(dat + QStringLiteral("Bs.mdb"), dat + QStringLiteral("Mq4100.mdw")));
    const auto logo = std::make_unique<Tfrm_logo>();
    showModal(logo.get());
}

void TFrm_Ks_Sta::Button1Click() {
    HandlerGuard::run([this] { startExam(); });
}

void TFrm_Ks_Sta::startExam() {
    qCInfo(lcRoad) << "exam started";
    ShowBusyMessage(QStringLiteral("正在随机抽题请等待...."), 3);
    // Normally long done by now; deriving the same key twice side by side would only cost time.
    m_keyWarmUp.wait();
    // The connection string can only be changed while the connection is closed.
    Dm->ADOConnection1->Close();
    const QString dat = executableDir() + QStringLiteral("Dat") + QDir::separator();
    BankPath = dat + QStringLiteral("Bs.mdb");
    const QString workgroupPath = dat + QStringLiteral("Mq4100.mdw");
    Dm->ADOConnection1->setConnectionString(buildConnectionString(BankPath, workgroupPath));
    SetReviewMode(false);
    // Without a paper, an answering screen still open from the review of the last one (the fill-in screen left by
    // the score sheet's quit, or the choice screen it led back to) must go first: the choice screen draws only
    // when it is shown, so an open one would take the graded paper back into exam mode, and the new paper would
    // then be drawn at the next switch between the screens, in the middle of the exam.
    if (!ExamPhase::paperDrawn()) {
        Frm_Ks_Choose->hide();
        Frm_Ks_Fill->hide();
    }
    // The choice screen draws the paper in its show handling when none is drawn; the connection opens by itself
    // with the drawing's first statement.
    Frm_Ks_Choose->show();
    Frm_Ks_Choose->raise();
    Frm_Ks_Choose->activateWindow();
    CloseBusyMessage();
}

void TFrm_Ks_Sta::Button2Click() {
    QCoreApplication::exit(0);
}

void TFrm_Ks_Sta::closeEvent(QCloseEvent *event) {
    Tfrm_qelNeoForm::closeEvent(event);
    // The main window: closing it ends the program, whatever other windows are up.
    if (event->isAccepted())
        QCoreApplication::exit(0);
}
