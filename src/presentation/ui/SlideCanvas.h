// The picture control of the full-screen preview and of the presenter
// console: one slide picture, a blanked screen of one colour, or nothing.
#pragma once

#include "presentation/SlidePictures.h"

#include <QColor>
#include <QImage>
#include <QWidget>

namespace marbelo {

class SlideCanvas : public QWidget
{
    Q_OBJECT
public:
    explicit SlideCanvas(QWidget *parent = nullptr);

    // A picture of the control's own size is drawn as it is; any other is
    // scaled: stretched, or centred on black when it keeps its proportions.
    void setPicture(const QImage &picture, SlideFit fit);
    void clear();
    bool hasPicture() const { return !m_picture.isNull(); }
    QImage picture() const { return m_picture; }
    SlideFit fit() const { return m_fit; }
    // An invalid colour shows the picture again.
    void setBlank(const QColor &colour);
    QColor blank() const { return m_blank; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_picture;
    SlideFit m_fit = SlideFit::Stretch;
    QColor m_blank;
};

} // namespace marbelo
