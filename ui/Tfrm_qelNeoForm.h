#pragma once

#include <QSize>
#include <QWidget>

class QLabel;

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };

enum TBorderIcon : int { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = int;

// The window base of every screen: a top-level window whose content lies on the panel PanelBkGnd. The window is
// sized around the panel (20 wider, 60 higher: the caption band above, the borders beside and below), centred on
// its first show and reopened where it was after that. A screen builds its content on PanelBkGnd in its
// constructor; a screen with its own show handling overrides FormShow and runs this one first.
class Tfrm_qelNeoForm : public QWidget {
    Q_OBJECT
public:
    Tfrm_qelNeoForm(const QSize &panelSize, TFormBorderStyle borderStyle = TFormBorderStyle::bsSizeable,
                    TBorderIcons borderIcons = biSystemMenu | biMinimize | biMaximize, QWidget *parent = nullptr);

    QString Caption() const { return windowTitle(); }
    void setCaption(const QString &caption) { setWindowTitle(caption); }

    // Copies the caption into the caption band. Runs on every show of the window, before the screen's own.
    virtual void FormShow(QObject *Sender);

    // The drawn-paper marker and like integers that a window design keeps on the window.
    int Tag = 0;

    QWidget *PanelBkGnd;
    QLabel *LabelCaption;

protected:
    void showEvent(QShowEvent *event) override;

private:
    bool m_shownBefore = false;
};
