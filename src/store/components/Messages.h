// The two messages the program shows: an information and a yes/no question.
#pragma once

#include <QString>

namespace marbelo {

// The button a question starts on ("Tak" or "Nie").
enum class DefaultAnswer { Yes, No };

class Messages
{
public:
    virtual ~Messages() = default;
    // Shows the text until the user closes the box.
    virtual void inform(const QString &text) = 0;
    // Asks a yes/no question; true when the user answers "Tak".
    virtual bool confirm(const QString &text, DefaultAnswer defaultAnswer) = 0;
};

} // namespace marbelo
