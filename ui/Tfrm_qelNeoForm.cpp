#include "Tfrm_qelNeoForm.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QShowEvent>

#include "Fonts.h"
#include "TColor.h"

Tfrm_qelNeoForm::Tfrm_qelNeoForm(const QSize &panelSize, TFormBorderStyle borderStyle, TBorderIcons borderIcons,
                                 QWidget *parent)
    : QWidget(parent, Qt::Window) {
    Q_UNUSED(borderIcons);
    setFont(songFont(12));
    LabelCaption = new QLabel(this);
    LabelCaption->setObjectName(QStringLiteral("LabelCaption"));
    LabelCaption->setAlignment(Qt::AlignCenter);
    LabelCaption->setGeometry(0, 8, panelSize.width() + 20, 12);

    PanelBkGnd = new QWidget(this);
    PanelBkGnd->setObjectName(QStringLiteral("PanelBkGnd"));
    PanelBkGnd->setAutoFillBackground(true);
    QPalette palette = PanelBkGnd->palette();
    palette.setColor(QPalette::Window, toQColor(13619151));
    PanelBkGnd->setPalette(palette);
    PanelBkGnd->setGeometry(10, 50, panelSize.width(), panelSize.height());

    const QSize windowSize(panelSize.width() + 20, panelSize.height() + 60);
    if (borderStyle == TFormBorderStyle::bsSizeable || borderStyle == TFormBorderStyle::bsSizeToolWin)
        resize(windowSize);
    else
        setFixedSize(windowSize);
}

void Tfrm_qelNeoForm::FormShow(QObject *Sender) {
    Q_UNUSED(Sender);
    LabelCaption->setText(Caption());
}

void Tfrm_qelNeoForm::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    FormShow(this);
    if (!m_shownBefore) {
        m_shownBefore = true;
        if (QScreen *screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->availableGeometry();
            move(area.center() - QPoint(width() / 2, height() / 2));
        }
    }
}
