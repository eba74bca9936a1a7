#include "topics/PreviewLayout.h"

#include <cstdint>

namespace marbelo {

PreviewLayout layoutPreview(QSize pane, bool slideShown, QSize picture)
{
    PreviewLayout layout;
    if (slideShown && picture.width() > 0) {
        const int width = pane.width() - 20;
        // The product is taken in 32-bit signed arithmetic, wrapping as it would.
        const auto product = static_cast<std::int32_t>(
            static_cast<std::uint32_t>(picture.height()) * static_cast<std::uint32_t>(width));
        const int height = product / picture.width();
        layout.image = QRect(10, (pane.height() - height) / 2, width, height);
        layout.labelWidth = 0;
    } else {
        layout.image = QRect(0, 0, 0, 0);
        layout.labelWidth = pane.width();
    }
    const int middle = (pane.height() - kTitleLabelHeight) / 2;
    layout.labelTop = {middle - kTitleLabelHeight, middle, middle + kTitleLabelHeight};
    return layout;
}

} // namespace marbelo
