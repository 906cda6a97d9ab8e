// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/MessageBoxSeam.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QStringList>

#include "ui/RoadLog.h"

namespace {

MessageBoxSeam::Handler &installedHandler() {
    static MessageBoxSeam::Handler handler;
    return handler;
}

const QString kEllipsis = QStringLiteral("…");

// How far the lowest ink of the font's glyphs reaches below its descent, in pixels. The label's height is made of
// whole lines of ascent and descent; an underscore that a CJK font draws lower is cut off on the last line.
int inkBelowDescent(const QFont &font) {
    const QFontMetrics metrics(font);
    int lowest = 0;
    for (const QChar ch : {QLatin1Char('_'), QLatin1Char('g'), QLatin1Char('y'), QLatin1Char('j'), QLatin1Char('p')})
        lowest = qMax(lowest, metrics.boundingRect(ch).bottom() + 1);
    return qMax(0, lowest - metrics.descent());
}

QString &boxTitle() {
    static QString title;
    return title;
}

} // namespace

void MessageBoxSeam::showError(QWidget *parent, const QString &text) {
    const QString title = MessageBoxSeam::title();
    const QString shown = fitted(text);
    qCInfo(lcRoad).noquote() << "message:" << QString(shown).replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (const Handler &handler = installedHandler()) {
        handler(parent, title, shown);
        return;
    }
    errorBox(parent, title, shown)->exec();
}

void MessageBoxSeam::showNotice(QWidget *parent, const QString &text) {
    const QString title = MessageBoxSeam::title();
    qCInfo(lcRoad).noquote() << "notice:" << QString(text).replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (const Handler &handler = installedHandler()) {
        handler(parent, title, text);
        return;
    }
    auto *box = new QMessageBox(QMessageBox::Information, title, text, QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void MessageBoxSeam::setHandler(Handler handler) {
    installedHandler() = std::move(handler);
}

void MessageBoxSeam::setTitle(const QString &title) {
    boxTitle() = title;
}

QString MessageBoxSeam::title() {
    return boxTitle().isEmpty() ? QGuiApplication::applicationDisplayName() : boxTitle();
}

QString MessageBoxSeam::fitted(const QString &text) {
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.size() > kMaxLines) {
        lines = lines.mid(0, kMaxLines - 1);
        lines.append(kEllipsis);
    }
    const int head = (kMaxLineLength - 1) * 2 / 3;
    const int tail = kMaxLineLength - 1 - head;
    for (QString &line : lines)
        if (line.size() > kMaxLineLength)
            line = line.left(head) + kEllipsis + line.right(tail);
    return lines.join(QLatin1Char('\n'));
}

std::unique_ptr<QMessageBox> MessageBoxSeam::errorBox(QWidget *parent, const QString &title, const QString &text) {
    auto box = std::make_unique<QMessageBox>(QMessageBox::Critical, title, text, QMessageBox::Ok, parent);
    if (auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"))) {
        // Selectable text is laid out as a document and painted clipped to the lines' own height, which cuts off
        // what the font draws below its descent however tall the label is; plain text is painted unclipped.
        label->setTextInteractionFlags(Qt::NoTextInteraction);
        const QMargins margins = label->contentsMargins();
        label->setContentsMargins(margins.left(), margins.top(), margins.right(),
                                  margins.bottom() + inkBelowDescent(label->font()));
    }
    return box;
}
