#include "presentation/ui/SlideCanvas.h"

#include <QPainter>

namespace marbelo {

SlideCanvas::SlideCanvas(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    // Every paint covers the whole control, so nothing is drawn beneath it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SlideCanvas::setPicture(const QImage &picture, SlideFit fit)
{
    m_picture = picture;
    m_fit = fit;
    update();
}

void SlideCanvas::clear()
{
    m_picture = QImage();
    update();
}

void SlideCanvas::setBlank(const QColor &colour)
{
    m_blank = colour;
    update();
}

void SlideCanvas::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_blank.isValid()) {
        painter.fillRect(rect(), m_blank);
        return;
    }
    if (m_picture.isNull()) {
        painter.fillRect(rect(), palette().color(QPalette::Window));
        return;
    }
    if (m_fit == SlideFit::KeepProportions && m_picture.size() != size())
        painter.fillRect(rect(), Qt::black);
    // A picture made for this size is copied as it is: the fast path of a step.
    if (m_picture.size() == size() || (m_fit == SlideFit::KeepProportions && m_picture.width() <= width()
                                       && m_picture.height() <= height()
                                       && (m_picture.width() == width() || m_picture.height() == height()))) {
        painter.drawImage(placeInBox(m_picture.size(), rect()), m_picture);
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSize shown = m_fit == SlideFit::Stretch ? size() : m_picture.size().scaled(size(), Qt::KeepAspectRatio);
    painter.drawImage(placeInBox(shown, rect()), m_picture);
}

} // namespace marbelo
