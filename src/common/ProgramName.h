// The name the program calls itself by: its application name (the title of
// its message boxes), the help window's title and the PDF creator. No display
// name is set, so the platform appends nothing to the windows' own titles.
#pragma once

namespace marbelo {

constexpr const char *kProgramName = "Marbelo";

} // namespace marbelo
