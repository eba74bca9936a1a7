// The byte classes of PDF syntax, shared by the readers of raw PDF bytes.
#pragma once

#include <cstring>

namespace marbelo::pdf {

inline bool isSpace(char c)
{
    return c == 0 || c == '\t' || c == '\n' || c == '\f' || c == '\r' || c == ' ';
}

inline bool isDelimiter(char c)
{
    return c != 0 && std::strchr("()<>[]{}/%", c) != nullptr;
}

inline bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace marbelo::pdf
