// Which slide the full-screen preview shows: a position in a run of slides
// that steps by one, jumps to the first, the last or a numbered slide, and
// stops at both ends; and what each key and mouse button asks for.
#pragma once

#include <Qt>
#include <QString>

namespace marbelo {

class SlideStepper
{
public:
    explicit SlideStepper(int count) : m_count(count < 0 ? 0 : count) {}

    int count() const { return m_count; }
    int current() const { return m_current; }
    // Each returns true when the slide changed and must be shown.
    bool next() { return goTo(m_current + 1); }
    bool previous() { return goTo(m_current - 1); }
    bool first() { return goTo(0); }
    bool last() { return goTo(m_count - 1); }
    // Zero-based; an index outside the run leaves the position alone.
    bool goTo(int index)
    {
        if (index < 0 || index >= m_count || index == m_current)
            return false;
        m_current = index;
        return true;
    }

private:
    int m_count;
    int m_current = 0;
};

// The digits of a slide number typed before Enter.
class SlideNumberEntry
{
public:
    // Longer numbers than this name no slide; further digits are ignored.
    static constexpr int kMaxDigits = 6;

    void type(int digit)
    {
        if (digit >= 0 && digit <= 9 && m_digits.size() < kMaxDigits)
            m_digits += QChar(u'0' + digit);
    }
    void clear() { m_digits.clear(); }
    QString digits() const { return m_digits; }
    bool isEmpty() const { return m_digits.isEmpty(); }
    // The zero-based slide the typed number names (1-based as typed), or -1;
    // clears the entry.
    int take()
    {
        const int number = m_digits.isEmpty() ? 0 : m_digits.toInt();
        m_digits.clear();
        return number - 1;
    }

private:
    QString m_digits;
};

enum class SlideAction {
    None,
    Previous,
    Next,
    First,
    Last,
    Digit,
    Enter,
    Black,
    White,
    Overview,
    Proportions,
    RestartTimer,
    Help,
    End,
};

// The action of a released key; modifiers are not looked at.
SlideAction actionForKey(int key);
// The digit a key types (0-9), or -1.
int digitForKey(int key);
// The action of a released mouse button.
SlideAction actionForButton(Qt::MouseButton button);

} // namespace marbelo
