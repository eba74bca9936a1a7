// The tool's console: its arguments as the user typed them and output bytes
// written as they are. One implementation per platform.
#pragma once

#include <QStringList>

namespace tool {

// The arguments after the program's name. POSIX: argv in the locale's
// encoding. Windows: the wide command line, so that names outside the ANSI
// code page arrive whole.
QStringList commandArguments(int argc, char *argv[]);

// Output goes out byte for byte: on Windows stdout and stderr leave text mode,
// which would write "\r\n" for each "\n". Nothing to do on POSIX.
void useBinaryOutput();

} // namespace tool
