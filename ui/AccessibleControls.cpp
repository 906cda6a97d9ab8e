// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/AccessibleControls.h"

#include <QAccessibleWidget>

#include "ui/FrameImage.h"
#include "ui/TdxButton.h"

namespace {

// A caption as it reads: accelerator markers left out, "&&" a plain ampersand.
QString withoutAccelMarker(const QString &caption) {
    QString text;
    for (int i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&') && i + 1 < caption.size())
            ++i;
        text += caption.at(i);
    }
    return text;
}

// A custom control that a click activates, read as a push button with the press action a screen reader offers.
class AccessiblePressable : public QAccessibleWidget {
public:
    explicit AccessiblePressable(QWidget *control) : QAccessibleWidget(control, QAccessible::Button) {}

    QStringList actionNames() const override { return QStringList(pressAction()) + QAccessibleWidget::actionNames(); }

    void doAction(const QString &action) override {
        if (action != pressAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        if (widget()->isEnabled())
            press();
    }

protected:
    virtual void press() = 0;
};

class AccessibleDxButton : public AccessiblePressable {
public:
    explicit AccessibleDxButton(TdxButton *button) : AccessiblePressable(button) {}

    QString text(QAccessible::Text t) const override {
        const auto *button = static_cast<const TdxButton *>(widget());
        if (t == QAccessible::Name && button->accessibleName().isEmpty())
            return withoutAccelMarker(button->Caption());
        return QAccessibleWidget::text(t);
    }

protected:
    void press() override { static_cast<TdxButton *>(widget())->click(); }
};

class AccessibleFrameButton : public AccessiblePressable {
public:
    explicit AccessibleFrameButton(FrameImage *image) : AccessiblePressable(image) {}

    // The frame's pictures carry their meaning in the hint the pointer shows ("关闭", "最小化" …).
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return widget()->toolTip();
        return QAccessibleWidget::text(t);
    }

protected:
    void press() override { static_cast<FrameImage *>(widget())->activate(); }
};

QAccessibleInterface *controlInterface(const QString &className, QObject *object) {
    if (className == QLatin1String("TdxButton"))
        if (auto *button = qobject_cast<TdxButton *>(object))
            return new AccessibleDxButton(button);
    if (className == QLatin1String("FrameImage"))
        if (auto *image = qobject_cast<FrameImage *>(object); image && image->isControl())
            return new AccessibleFrameButton(image);
    return nullptr;
}

} // namespace

void registerAccessibleControls() {
    static const bool registered = [] {
        QAccessible::installFactory(controlInterface);
        return true;
    }();
    Q_UNUSED(registered);
}
