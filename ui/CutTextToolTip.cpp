// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/CutTextToolTip.h"

#include <QHelpEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolTip>

namespace {

// QLineEdit keeps this many pixels free on either side of its text, inside its contents rectangle.
constexpr int kLineEditInnerMargin = 2;

int lineEditTextRoom(const QLineEdit *edit) {
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.rect = edit->contentsRect();
    option.lineWidth = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit) : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    const QRect contents = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
    return contents.marginsRemoved(edit->textMargins()).width() - 2 * kLineEditInnerMargin;
}

// The text box a widget under the pointer belongs to: the box itself, or the box around a viewport.
const QWidget *textBoxAt(const QWidget *widget) {
    for (const QWidget *w = widget; w && !w->isWindow(); w = w->parentWidget())
        if (qobject_cast<const QLineEdit *>(w) || qobject_cast<const QPlainTextEdit *>(w))
            return w;
    return nullptr;
}

} // namespace

QString wholeTextIfCut(const QWidget *box) {
    if (const auto *edit = qobject_cast<const QLineEdit *>(box)) {
        const QString shown = edit->displayText();
        return edit->fontMetrics().horizontalAdvance(shown) > lineEditTextRoom(edit) ? shown : QString();
    }
    if (const auto *memo = qobject_cast<const QPlainTextEdit *>(box)) {
        const bool cut = memo->verticalScrollBar()->maximum() > 0 || memo->horizontalScrollBar()->maximum() > 0;
        return cut ? memo->toPlainText() : QString();
    }
    return QString();
}

bool showCutTextToolTip(QWidget *window, QHelpEvent *event) {
    const QWidget *box = textBoxAt(window->childAt(event->pos()));
    if (!box || !box->toolTip().isEmpty())
        return false;
    const QString text = wholeTextIfCut(box);
    if (text.isEmpty())
        return false;
    QToolTip::showText(event->globalPos(), text, const_cast<QWidget *>(box), box->rect());
    return true;
}
