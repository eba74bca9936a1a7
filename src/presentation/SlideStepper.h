// Which slide the full-screen preview shows: a position in a run of slides
// that moves one step at a time and stops at both ends, and what each key and
// mouse button asks for.
#pragma once

#include <Qt>

namespace marbelo {

class SlideStepper
{
public:
    explicit SlideStepper(int count) : m_count(count < 0 ? 0 : count) {}

    int count() const { return m_count; }
    int current() const { return m_current; }
    // Move one slide on / back; true when the slide changed and must be shown.
    bool next()
    {
        if (m_current >= m_count - 1)
            return false;
        ++m_current;
        return true;
    }
    bool previous()
    {
        if (m_current <= 0)
            return false;
        --m_current;
        return true;
    }

private:
    int m_count;
    int m_current = 0;
};

enum class SlideAction { None, Previous, Next, Help, End };

// The action of a released key; modifiers are not looked at.
SlideAction actionForKey(int key);
// The action of a released mouse button.
SlideAction actionForButton(Qt::MouseButton button);

} // namespace marbelo
