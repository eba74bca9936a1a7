#include "presentation/SlidePictures.h"

#include "store/components/Coding.h"
#include "store/components/JpegDecoder.h"

#include <QRect>

namespace marbelo {

namespace {

// Decoded pictures kept besides the one shown: its neighbours and both ends
// (for Home and End).
bool worthKeeping(int index, int current, int count)
{
    return (index >= current - 1 && index <= current + 1) || index == 0 || index == count - 1;
}

} // namespace

QImage renderSlide(const QByteArray &coded, QSize box, SlideFit fit)
{
    if (coded.isEmpty() || box.isEmpty())
        return QImage();
    const QByteArray jpeg = BCodeToStr(coded);
    const QSize full = jpegImageSize(jpeg);
    if (!full.isValid())
        return QImage();
    const QSize shown = fit == SlideFit::Stretch ? box : full.scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    QImage decoded = decodeJpeg(jpeg, shown);
    if (decoded.isNull())
        return QImage();
    if (decoded.size() == shown)
        return decoded;
    return decoded.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QRect placeInBox(QSize picture, QRect box)
{
    QRect placed(QPoint(0, 0), picture.boundedTo(box.size()));
    placed.moveCenter(box.center());
    return placed;
}

SlidePictures::SlidePictures(SlideReader reader, int count, QObject *parent)
    : QObject(parent), m_reader(std::move(reader)), m_count(count < 0 ? 0 : count)
{
    // One worker: decoding ahead must not take both cores from the screen.
    m_worker.setMaxThreadCount(1);
}

SlidePictures::~SlidePictures()
{
    // The jobs post their results to this object: none may outlive it.
    m_worker.clear();
    m_worker.waitForDone();
}

QByteArray SlidePictures::coded(int index) const
{
    return index >= 0 && index < m_count && m_reader ? m_reader(index) : QByteArray();
}

void SlidePictures::setScreen(QSize size, SlideFit fit)
{
    if (size == m_screenSize && fit == m_fit)
        return;
    m_screenSize = size;
    m_fit = fit;
    ++m_generation;
    m_pictures.clear();
    m_pending.clear();
}

QImage SlidePictures::picture(int index)
{
    if (index < 0 || index >= m_count)
        return QImage();
    QImage image = m_pictures.value(index);
    if (image.isNull()) {
        image = renderSlide(coded(index), m_screenSize, m_fit);
        if (!image.isNull())
            m_pictures.insert(index, image);
    }
    return image;
}

void SlidePictures::readAround(int index)
{
    m_around = index;
    if (m_aroundQueued)
        return;
    m_aroundQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_aroundQueued = false;
            readAroundNow(m_around);
        },
        Qt::QueuedConnection);
}

void SlidePictures::readAroundNow(int index)
{
    for (auto it = m_pictures.begin(); it != m_pictures.end();) {
        if (worthKeeping(it.key(), index, m_count))
            ++it;
        else
            it = m_pictures.erase(it);
    }
    if (!m_readAhead)
        return;
    // The next slide first: stepping on is what a trainer does most.
    for (const int wanted : {index + 1, index - 1, m_count - 1, 0})
        queuePicture(wanted);
}

void SlidePictures::queuePicture(int index)
{
    if (index < 0 || index >= m_count || m_pictures.contains(index) || m_pending.contains(index))
        return;
    const QByteArray bytes = coded(index);
    if (bytes.isEmpty())
        return;
    m_pending.insert(index);
    const int generation = m_generation;
    const QSize size = m_screenSize;
    const SlideFit fit = m_fit;
    m_worker.start([this, index, generation, bytes, size, fit] {
        const QImage image = renderSlide(bytes, size, fit);
        QMetaObject::invokeMethod(
            this,
            [this, index, generation, image] {
                if (generation != m_generation)
                    return;
                m_pending.remove(index);
                // A failed decode is not kept: showing the slide tries again
                // and shows an empty screen.
                if (image.isNull() || m_pictures.contains(index))
                    return;
                m_pictures.insert(index, image);
                emit pictureReady(index);
            },
            Qt::QueuedConnection);
    });
}

void SlidePictures::requestThumbnails(QSize size)
{
    if (size == m_thumbSize && (m_thumbsPending > 0 || m_nextThumbnail >= m_count))
        return;
    m_thumbSize = size;
    m_thumbnails.clear();
    ++m_thumbGeneration;
    m_thumbsPending = 0;
    m_nextThumbnail = 0;
    if (!size.isEmpty())
        queueNextThumbnail();
}

void SlidePictures::queueNextThumbnail()
{
    QByteArray bytes;
    while (bytes.isEmpty() && m_nextThumbnail < m_count)
        bytes = coded(m_nextThumbnail++);
    if (bytes.isEmpty())
        return;
    const int index = m_nextThumbnail - 1;
    const int generation = m_thumbGeneration;
    const QSize size = m_thumbSize;
    ++m_thumbsPending;
    m_worker.start([this, index, generation, bytes, size] {
        const QImage image = renderSlide(bytes, size, SlideFit::Stretch);
        QMetaObject::invokeMethod(
            this,
            [this, index, generation, image] {
                if (generation != m_thumbGeneration)
                    return;
                --m_thumbsPending;
                if (!image.isNull()) {
                    m_thumbnails.insert(index, image);
                    emit thumbnailReady(index);
                }
                queueNextThumbnail();
            },
            Qt::QueuedConnection);
    });
}

} // namespace marbelo
