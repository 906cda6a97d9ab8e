#pragma once

#include <QLabel>

#include "TColor.h"

enum class TDrawType { dtNone, dtLowered, dtRaised };

// Effect label of the screen titles (stand-in: plainly painted until the widget set lands).
class TKvLabel : public QLabel {
    Q_OBJECT
public:
    explicit TKvLabel(QWidget *parent = nullptr);

    QString Caption() const { return text(); }
    void setCaption(const QString &caption) { setText(caption); }
    void setFontColor(TColor color);
};
