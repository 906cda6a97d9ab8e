// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/DisabledBoxScrollBar.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QEvent>

#include <functional>

namespace {

// The box's own bar, telling of every change of its range, page and position. Its range and page change one after
// the other as the box lays out its text, and only the range has a signal of its own.
class ReportingScrollBar : public QScrollBar {
public:
    explicit ReportingScrollBar(std::function<void()> changed)
        : QScrollBar(Qt::Vertical), m_changed(std::move(changed)) {}

protected:
    void sliderChange(SliderChange change) override {
        QScrollBar::sliderChange(change);
        m_changed();
    }

private:
    std::function<void()> m_changed;
};

} // namespace

DisabledBoxScrollBar::DisabledBoxScrollBar(QAbstractScrollArea *box)
    : QScrollBar(Qt::Vertical, box->parentWidget()), m_box(box) {
    setObjectName(box->objectName() + QStringLiteral("ScrollBar"));
    box->setVerticalScrollBar(new ReportingScrollBar([bar = QPointer<DisabledBoxScrollBar>(this)] {
        if (bar)
            bar->follow();
    }));
    connect(this, &QScrollBar::valueChanged, box, [this](int value) {
        if (QAbstractScrollArea *area = this->box())
            area->verticalScrollBar()->setValue(value);
    });
    box->installEventFilter(this);
    box->viewport()->installEventFilter(this);
    box->verticalScrollBar()->installEventFilter(this);
    follow();
    place();
}

QAbstractScrollArea *DisabledBoxScrollBar::box() const {
    return qobject_cast<QAbstractScrollArea *>(m_box.data());
}

void DisabledBoxScrollBar::follow() {
    const QAbstractScrollArea *area = box();
    if (!area)
        return;
    const QScrollBar *own = area->verticalScrollBar();
    setRange(own->minimum(), own->maximum());
    setPageStep(own->pageStep());
    setSingleStep(own->singleStep());
    setValue(own->value());
}

void DisabledBoxScrollBar::place() {
    const QAbstractScrollArea *area = box();
    if (!area)
        return;
    const QScrollBar *own = area->verticalScrollBar();
    const bool wanted = !area->isHidden() && !area->isEnabled() && !own->isHidden();
    if (wanted)
        setGeometry(QRect(own->mapTo(parentWidget(), QPoint(0, 0)), own->size()));
    setVisible(wanted);
}

bool DisabledBoxScrollBar::eventFilter(QObject *watched, QEvent *event) {
    const QAbstractScrollArea *area = box();
    if (!area)
        return QScrollBar::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Wheel:
        // The wheel over the disabled text turns this bar instead.
        if (watched == area->viewport() && isVisible() && isEnabled()) {
            QCoreApplication::sendEvent(this, event);
            return true;
        }
        break;
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
    case QEvent::EnabledChange:
        if (watched != area->viewport())
            place();
        break;
    default:
        break;
    }
    return QScrollBar::eventFilter(watched, event);
}
