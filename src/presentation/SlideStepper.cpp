#include "presentation/SlideStepper.h"

namespace marbelo {

SlideAction actionForKey(int key)
{
    switch (key) {
    case Qt::Key_Escape:
        return SlideAction::End;
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_PageUp:
        return SlideAction::Previous;
    case Qt::Key_Space:
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_PageDown:
        return SlideAction::Next;
    case Qt::Key_F1:
        return SlideAction::Help;
    default:
        return SlideAction::None;
    }
}

SlideAction actionForButton(Qt::MouseButton button)
{
    switch (button) {
    case Qt::RightButton:
        return SlideAction::Previous;
    case Qt::LeftButton:
        return SlideAction::Next;
    default:
        return SlideAction::None;
    }
}

} // namespace marbelo
