// The overview of the full-screen preview: every slide as a thumbnail in a
// grid, the slide shown marked, and a selection that the arrows move.
#pragma once

#include <QWidget>

#include <functional>

namespace marbelo {

class SlidePictures;

class SlideOverview : public QWidget
{
    Q_OBJECT
public:
    SlideOverview(SlidePictures &pictures, int count, QWidget *parent = nullptr);

    int columns() const;
    int rows() const;
    // Where cell index lies, and the cell under a point (-1 for none).
    QRect cellRect(int index) const;
    int indexAt(const QPoint &point) const;
    // The size every thumbnail is decoded at.
    QSize thumbnailSize() const;

    // Opens on the slide shown, which is marked and selected.
    void start(int current);
    int selection() const { return m_selection; }
    // Moves the selection dx slides on in reading order (across the rows) and
    // dy rows down in the same column, stopping at the first and last slide
    // and at the grid's top and bottom; true when it moved.
    bool moveSelection(int dx, int dy);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRect thumbnailRect(int index) const;

    SlidePictures &m_pictures;
    int m_count;
    int m_current = 0;
    int m_selection = 0;
};

} // namespace marbelo
