// The two message functions: an information and a yes/no question.
#pragma once

#include <QString>

namespace marbelo {

constexpr int kAnswerYes = 6; // the only answer a confirmation counts as consent

class Messages
{
public:
    virtual ~Messages() = default;
    // Shows the text until the user closes the box. The three numbers are the
    // caller's (kind, unused, default button) and only shape the box's look.
    virtual int InformationMessage(const QString &text, int kind, int reserved, int defaultButton) = 0;
    // Asks a yes/no question; returns kAnswerYes for yes, anything else for no.
    virtual int Confirmation2Message(const QString &text, int kind, int reserved, int defaultButton) = 0;
};

} // namespace marbelo
