#include "topics/ui/PreviewWidgets.h"

#include "store/components/JpegDecoder.h"

#include <QPainter>
#include <QPainterPath>

namespace marbelo {

SlideImage::SlideImage(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

bool SlideImage::loadJpeg(const QByteArray &jpeg, QSize shownSize)
{
    m_jpeg = jpeg;
    m_fullSize = jpegImageSize(jpeg);
    m_image = QImage();
    if (m_fullSize.isValid())
        decodeFor(shownSize.isValid() ? shownSize : size());
    if (m_image.isNull()) {
        clear();
        return false;
    }
    update();
    return true;
}

void SlideImage::clear()
{
    m_jpeg.clear();
    m_image = QImage();
    m_fullSize = QSize();
    update();
}

void SlideImage::decodeFor(QSize target)
{
    // Decode at the smallest scale that still covers the shown size; a
    // zero-size control decodes small and is decoded again when it grows.
    const QSize wanted = target.isEmpty() ? QSize(1, 1) : target;
    m_image = decodeJpeg(m_jpeg, wanted);
}

void SlideImage::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (!m_jpeg.isEmpty() && !size().isEmpty()
        && (m_image.width() < width() || m_image.height() < height())
        && m_image.size() != m_fullSize) {
        decodeFor(size());
    }
}

void SlideImage::paintEvent(QPaintEvent *)
{
    if (m_image.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), m_image);
}

TitleLabel::TitleLabel(const QString &text, const QColor &shadow, QWidget *parent)
    : QWidget(parent), m_text(text), m_shadow(shadow)
{
    QFont f(QStringLiteral("Arial"));
    f.setBold(true);
    f.setPixelSize(56);
    setFont(f);
    setAutoFillBackground(true);
}

void TitleLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect area = rect();
    const int flags = Qt::AlignHCenter | Qt::AlignVCenter;
    painter.setFont(font());
    painter.setPen(QColor(Qt::white));
    painter.drawText(area.translated(-1, -1), flags, m_text);
    painter.setPen(m_shadow);
    painter.drawText(area.translated(2, 2), flags, m_text);
    painter.setPen(palette().color(QPalette::Button));
    painter.drawText(area, flags, m_text);
}

} // namespace marbelo
