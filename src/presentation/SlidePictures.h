// Slides of the full-screen preview decoded into pictures of the size they are
// shown at, on a worker thread: the slides around the one shown are decoded
// ahead, so that a step finds its picture ready, and the thumbnails of the
// overview fill in one by one.
#pragma once

#include <QHash>
#include <QImage>
#include <QObject>
#include <QSet>
#include <QSize>
#include <QThreadPool>

#include <functional>

namespace marbelo {

// How a slide fills its box: stretched to it, or as large as it fits with its
// own proportions (the box's free bands stay black).
enum class SlideFit { Stretch, KeepProportions };

// The picture of a coded slide, decoded at the smallest scale covering the
// box and scaled to exactly the size it is drawn at; null when the bytes are
// not a picture we can decode.
QImage renderSlide(const QByteArray &coded, QSize box, SlideFit fit);

// Where in a box a picture of that size is drawn: the whole box when
// stretched, centred in it otherwise.
QRect placeInBox(QSize picture, QRect box);

class SlidePictures : public QObject
{
    Q_OBJECT
public:
    // Coded bytes of slide i (empty when unreadable); called on this object's
    // thread only.
    using SlideReader = std::function<QByteArray(int)>;

    SlidePictures(SlideReader reader, int count, QObject *parent = nullptr);
    ~SlidePictures() override;

    // The size and fit the screen pictures are made for; a change drops them.
    void setScreen(QSize size, SlideFit fit);
    QSize screenSize() const { return m_screenSize; }
    SlideFit fit() const { return m_fit; }
    // Off: every picture is decoded when it is asked for (for comparison).
    void setReadAhead(bool on) { m_readAhead = on; }

    // The picture of slide index for the screen; decoded now when it is not
    // ready.
    QImage picture(int index);
    // Keeps the pictures around the slide shown and queues the missing ones
    // for decoding ahead, once the events already waiting are handled: the
    // step that shows a slide ends first, and the worker does not compete
    // with drawing it.
    void readAround(int index);
    // The picture if it is ready, else a null image; never decodes.
    QImage readyPicture(int index) const { return m_pictures.value(index); }

    // Queues every thumbnail of this size; thumbnailReady tells of each.
    void requestThumbnails(QSize size);
    QImage thumbnail(int index) const { return m_thumbnails.value(index); }
    QSize thumbnailSize() const { return m_thumbSize; }

    // True when no decoding is queued or running.
    bool idle() const { return !m_aroundQueued && m_pending.isEmpty() && m_thumbsPending == 0; }

signals:
    void pictureReady(int index);
    void thumbnailReady(int index);

private:
    void readAroundNow(int index);
    void queuePicture(int index);
    void queueNextThumbnail();
    QByteArray coded(int index) const;

    SlideReader m_reader;
    int m_count;
    QSize m_screenSize;
    SlideFit m_fit = SlideFit::Stretch;
    bool m_readAhead = true;
    // Bumped whenever what the pictures are made for changes; results of an
    // older generation are dropped.
    int m_generation = 0;
    int m_thumbGeneration = 0;
    QHash<int, QImage> m_pictures;
    QSet<int> m_pending;
    QHash<int, QImage> m_thumbnails;
    QSize m_thumbSize;
    // Thumbnails go to the worker one at a time, so that a slide wanted for
    // the screen never waits behind all of them, and only one slide's bytes
    // are held for them at once.
    int m_nextThumbnail = 0;
    int m_thumbsPending = 0;
    int m_around = 0;
    bool m_aroundQueued = false;
    QThreadPool m_worker;
};

} // namespace marbelo
