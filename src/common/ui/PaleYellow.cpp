#include "common/ui/PaleYellow.h"

#include <QPalette>
#include <QWidget>

namespace marbelo {

namespace {

// The colours of a light desktop, which the pale yellow was chosen for.
const QColor kText = QColor(0, 0, 0);
const QColor kDisabledText = QColor(120, 120, 120);
const QColor kButtonFace = QColor(240, 240, 240);
const QColor kHighlight = QColor(0, 120, 215);
const QColor kHighlightedText = QColor(255, 255, 255);

} // namespace

QPalette paleYellowPalette(const QPalette &base)
{
    QPalette palette = base;
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const QColor &text = group == QPalette::Disabled ? kDisabledText : kText;
        palette.setColor(group, QPalette::Base, kPaleYellow);
        palette.setColor(group, QPalette::AlternateBase, kPaleYellow);
        palette.setColor(group, QPalette::Window, kPaleYellow);
        palette.setColor(group, QPalette::Text, text);
        palette.setColor(group, QPalette::WindowText, text);
        palette.setColor(group, QPalette::ButtonText, text);
        palette.setColor(group, QPalette::Button, kButtonFace);
        palette.setColor(group, QPalette::PlaceholderText, kDisabledText);
        palette.setColor(group, QPalette::Highlight, kHighlight);
        palette.setColor(group, QPalette::HighlightedText, kHighlightedText);
    }
    return palette;
}

void paintPaleYellow(QWidget *widget)
{
    widget->setPalette(paleYellowPalette(widget->palette()));
    widget->setAutoFillBackground(true);
}

} // namespace marbelo
