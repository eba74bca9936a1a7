#include "presentation/ui/SlideOverview.h"

#include "presentation/SlidePictures.h"

#include <QPainter>

#include <cmath>

namespace marbelo {

namespace {

constexpr int kMargin = 12;
const QColor kBackground(32, 32, 32);
const QColor kEmptyCell(64, 64, 64);
const QColor kSelection(255, 200, 0);

} // namespace

SlideOverview::SlideOverview(SlidePictures &pictures, int count, QWidget *parent)
    : QWidget(parent), m_pictures(pictures), m_count(count < 0 ? 0 : count)
{
    setObjectName(QStringLiteral("QelViewOverview"));
    setFocusPolicy(Qt::NoFocus);
    connect(&m_pictures, &SlidePictures::thumbnailReady, this,
            [this](int index) { update(thumbnailRect(index).adjusted(-4, -4, 4, 4)); });
}

int SlideOverview::columns() const
{
    // About as many columns as rows, on a wide screen a few more.
    if (m_count <= 1)
        return 1;
    const double aspect = height() > 0 ? double(width()) / height() : 16.0 / 9.0;
    const int columns = int(std::ceil(std::sqrt(m_count * aspect / (16.0 / 9.0))));
    return std::clamp(columns, 1, m_count);
}

int SlideOverview::rows() const
{
    const int c = columns();
    return (m_count + c - 1) / c;
}

QRect SlideOverview::cellRect(int index) const
{
    if (index < 0 || index >= m_count)
        return QRect();
    const int c = columns();
    const int r = std::max(1, rows());
    const int w = width() / c;
    const int h = height() / r;
    return QRect((index % c) * w, (index / c) * h, w, h);
}

QRect SlideOverview::thumbnailRect(int index) const
{
    const QRect cell = cellRect(index);
    if (cell.isNull())
        return QRect();
    return QRect(cell.topLeft(), thumbnailSize()).translated(kMargin, kMargin);
}

QSize SlideOverview::thumbnailSize() const
{
    const QRect cell = cellRect(0);
    return QSize(std::max(1, cell.width() - 2 * kMargin), std::max(1, cell.height() - 2 * kMargin));
}

int SlideOverview::indexAt(const QPoint &point) const
{
    for (int index = 0; index < m_count; ++index) {
        if (cellRect(index).contains(point))
            return index;
    }
    return -1;
}

void SlideOverview::start(int current)
{
    m_current = current;
    m_selection = current;
    m_pictures.requestThumbnails(thumbnailSize());
    update();
}

bool SlideOverview::moveSelection(int dx, int dy)
{
    // A step sideways is a step through the slides, across the rows; a step
    // up or down keeps the column.
    const int target = m_selection + dx + dy * columns();
    if (target < 0 || target >= m_count || target == m_selection)
        return false;
    m_selection = target;
    update();
    return true;
}

void SlideOverview::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), kBackground);
    QFont numbers = font();
    numbers.setPixelSize(std::clamp(thumbnailSize().height() / 6, 10, 32));
    numbers.setBold(true);
    painter.setFont(numbers);
    for (int index = 0; index < m_count; ++index) {
        const QRect box = thumbnailRect(index);
        const QImage thumb = m_pictures.thumbnail(index);
        if (thumb.isNull())
            painter.fillRect(box, kEmptyCell);
        else
            painter.drawImage(box, thumb);
        if (index == m_current) {
            painter.setPen(QPen(Qt::white, 3));
            painter.drawRect(box.adjusted(-3, -3, 2, 2));
        }
        if (index == m_selection) {
            painter.setPen(QPen(kSelection, 6));
            painter.drawRect(box.adjusted(-7, -7, 6, 6));
        }
        const QRect label = box.adjusted(6, 4, -6, -4);
        painter.setPen(Qt::black);
        painter.drawText(label.translated(2, 2), Qt::AlignLeft | Qt::AlignTop, QString::number(index + 1));
        painter.setPen(Qt::white);
        painter.drawText(label, Qt::AlignLeft | Qt::AlignTop, QString::number(index + 1));
    }
}

} // namespace marbelo
