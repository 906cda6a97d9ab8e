// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/FrameImage.h"

#include <QBitmap>
#include <QImage>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>

#include "ui/AccessibleControls.h"

FrameImage::FrameImage(QWidget *parent) : QWidget(parent) {
    registerAccessibleControls();
}

bool FrameImage::isControl() const {
    return isSignalConnected(QMetaMethod::fromSignal(&FrameImage::clicked)) ||
           isSignalConnected(QMetaMethod::fromSignal(&FrameImage::doubleClicked));
}

void FrameImage::activate() {
    if (isSignalConnected(QMetaMethod::fromSignal(&FrameImage::clicked)))
        emit clicked();
    else
        emit doubleClicked();
}

void FrameImage::setPicture(const QPixmap &picture) {
    m_picture = picture;
    updateShown();
    if (m_autoSize && !m_picture.isNull())
        resize(m_picture.deviceIndependentSize().toSize());
    update();
}

void FrameImage::setStretch(bool on) {
    if (m_stretch == on)
        return;
    m_stretch = on;
    update();
}

void FrameImage::setCenter(bool on) {
    if (m_center == on)
        return;
    m_center = on;
    update();
}

void FrameImage::setTransparent(bool on) {
    if (m_transparent == on)
        return;
    m_transparent = on;
    updateShown();
    update();
}

void FrameImage::setAutoSize(bool on) {
    m_autoSize = on;
    if (m_autoSize && !m_picture.isNull())
        resize(m_picture.deviceIndependentSize().toSize());
}

void FrameImage::updateShown() {
    m_shown = m_picture;
    if (!m_transparent || m_picture.isNull() || m_picture.hasAlphaChannel())
        return;
    const QImage image = m_picture.toImage();
    const QRgb key = image.pixel(0, image.height() - 1);
    m_shown.setMask(QBitmap::fromImage(image.createMaskFromColor(key, Qt::MaskOutColor)));
}

void FrameImage::paintEvent(QPaintEvent *) {
    if (m_shown.isNull())
        return;
    QPainter painter(this);
    if (m_stretch) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(rect(), m_shown);
        return;
    }
    const QSize own = m_shown.deviceIndependentSize().toSize();
    const QPoint at = m_center ? QPoint((width() - own.width()) / 2, (height() - own.height()) / 2) : QPoint(0, 0);
    painter.drawPixmap(at, m_shown);
}

void FrameImage::mousePressEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton)
        m_leftPressed = true;
    emit mousePressed(event->button(), event->modifiers(), event->position().toPoint());
}

void FrameImage::mouseMoveEvent(QMouseEvent *event) {
    emit mouseMoved(event->modifiers(), event->position().toPoint());
}

void FrameImage::mouseReleaseEvent(QMouseEvent *event) {
    // A click is a left press and release that both land on the control.
    const bool click =
        event->button() == Qt::LeftButton && m_leftPressed && rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        m_leftPressed = false;
    emit mouseReleased(event->button(), event->modifiers(), event->position().toPoint());
    if (click)
        emit clicked();
}

void FrameImage::mouseDoubleClickEvent(QMouseEvent *event) {
    // The second press of a double-click is still a press for whoever follows the mouse (the caption drag).
    mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}
