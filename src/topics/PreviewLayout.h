// Arithmetic of the preview pane: where the slide picture and the three title
// labels go for a pane size. All divisions truncate toward zero.
#pragma once

#include <QRect>
#include <QSize>

#include <array>

namespace marbelo {

constexpr int kTitleLabelHeight = 81;

struct PreviewLayout
{
    QRect image;                 // empty when the title labels show
    int labelWidth = 0;          // 0 when the slide shows
    std::array<int, 3> labelTop{};
};

// picture is the slide's own size; it is kept in proportion at the pane's
// width less 10 pixels on each side, and centred vertically (cut equally at
// top and bottom when taller than the pane).
PreviewLayout layoutPreview(QSize pane, bool slideShown, QSize picture);

} // namespace marbelo
