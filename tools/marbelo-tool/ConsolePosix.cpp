#include "Console.h"

#include <QtGlobal>

#ifndef Q_OS_WIN

namespace tool {

QStringList commandArguments(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

void useBinaryOutput() {}

} // namespace tool

#endif
