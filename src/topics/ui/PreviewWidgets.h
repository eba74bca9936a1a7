// The preview pane's picture control and its large title labels.
#pragma once

#include <QImage>
#include <QWidget>

namespace marbelo {

// Shows one slide stretched to its own bounds, drawn smoothly. It keeps the
// slide's JPEG bytes so that it can decode again, sharper, when it grows past
// the size it was decoded for.
class SlideImage : public QWidget
{
    Q_OBJECT
public:
    explicit SlideImage(QWidget *parent = nullptr);

    // Decodes and shows a JPEG file image, for the given shown size (the
    // control's own size when none is given); false (and the picture cleared)
    // when it cannot be decoded.
    bool loadJpeg(const QByteArray &jpeg, QSize shownSize = QSize());
    void clear();
    bool hasPicture() const { return !m_image.isNull(); }
    // The slide's own size (not the decoded one).
    QSize pictureSize() const { return m_fullSize; }
    QSize decodedSize() const { return m_image.size(); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void decodeFor(QSize target);

    QByteArray m_jpeg;
    QImage m_image;
    QSize m_fullSize;
};

// A label drawing one line of large bold text with a raised relief: a light
// edge above left, a shadow below right, the face in the button-face colour.
class TitleLabel : public QWidget
{
    Q_OBJECT
public:
    TitleLabel(const QString &text, const QColor &shadow, QWidget *parent = nullptr);
    QString text() const { return m_text; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_text;
    QColor m_shadow;
};

} // namespace marbelo
