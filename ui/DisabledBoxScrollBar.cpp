#include "DisabledBoxScrollBar.h"

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
    box->setVerticalScrollBar(new ReportingScrollBar([this] { follow(); }));
    connect(this, &QScrollBar::valueChanged, box, [this](int value) {
        if (m_box)
            m_box->verticalScrollBar()->setValue(value);
    });
    box->installEventFilter(this);
    box->viewport()->installEventFilter(this);
    box->verticalScrollBar()->installEventFilter(this);
    follow();
    place();
}

void DisabledBoxScrollBar::follow() {
    if (!m_box)
        return;
    const QScrollBar *own = m_box->verticalScrollBar();
    setRange(own->minimum(), own->maximum());
    setPageStep(own->pageStep());
    setSingleStep(own->singleStep());
    setValue(own->value());
}

void DisabledBoxScrollBar::place() {
    if (!m_box)
        return;
    const QScrollBar *own = m_box->verticalScrollBar();
    const bool wanted = !m_box->isHidden() && !m_box->isEnabled() && !own->isHidden();
    if (wanted)
        setGeometry(QRect(own->mapTo(parentWidget(), QPoint(0, 0)), own->size()));
    setVisible(wanted);
}

bool DisabledBoxScrollBar::eventFilter(QObject *watched, QEvent *event) {
    if (!m_box)
        return QScrollBar::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Wheel:
        // The wheel over the disabled text turns this bar instead.
        if (watched == m_box->viewport() && isVisible() && isEnabled()) {
            QCoreApplication::sendEvent(this, event);
            return true;
        }
        break;
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
    case QEvent::EnabledChange:
        if (watched != m_box->viewport())
            place();
        break;
    default:
        break;
    }
    return QScrollBar::eventFilter(watched, event);
}
