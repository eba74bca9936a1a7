#include "presentation/SlideStepper.h"

namespace marbelo {

SlideAction actionForKey(int key)
{
    if (digitForKey(key) >= 0)
        return SlideAction::Digit;
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
    case Qt::Key_Home:
        return SlideAction::First;
    case Qt::Key_End:
        return SlideAction::Last;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return SlideAction::Enter;
    case Qt::Key_B:
    case Qt::Key_Period:
        return SlideAction::Black;
    case Qt::Key_W:
    case Qt::Key_Comma:
        return SlideAction::White;
    case Qt::Key_G:
    case Qt::Key_Tab:
        return SlideAction::Overview;
    case Qt::Key_P:
        return SlideAction::Proportions;
    case Qt::Key_R:
        return SlideAction::RestartTimer;
    case Qt::Key_F1:
        return SlideAction::Help;
    default:
        return SlideAction::None;
    }
}

int digitForKey(int key)
{
    return key >= Qt::Key_0 && key <= Qt::Key_9 ? key - Qt::Key_0 : -1;
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
