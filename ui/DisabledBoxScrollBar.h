// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAbstractScrollArea>
#include <QPointer>
#include <QScrollBar>

// A working vertical scroll bar for a text box that its screen keeps disabled. A disabled box takes no input, its
// own scroll bar included, so a text longer than the box could never be read to its end. This bar lies over the
// box's own one (which keeps its place beside the text), follows its range, page and position, and scrolls the
// box's text when the candidate uses it or turns the mouse wheel over the box. It is shown only while the box is
// shown and disabled; an enabled box's own bar serves by itself.
class DisabledBoxScrollBar : public QScrollBar {
    Q_OBJECT
public:
    // Made a sibling of `box`, which must have a parent.
    explicit DisabledBoxScrollBar(QAbstractScrollArea *box);

    // The box, or null once it has gone or while it is being destroyed.
    QAbstractScrollArea *box() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void follow();
    void place();

    // Held as a plain object: while the box is being destroyed its scroll-area part is gone before the object is,
    // and a bar or a hide event arriving then must not treat it as a scroll area (box() tells by its type).
    QPointer<QObject> m_box;
};
