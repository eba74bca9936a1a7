// Runs the marbelo-tool executable built with the tests.
#pragma once

#include <QString>
#include <QStringList>

namespace testing_support {

struct ToolResult
{
    int exitCode = -1;
    QString out;
    QString err;
};

ToolResult runTool(const QStringList &args);

// As runTool with extra environment entries ("NAME=value"), ended after
// 10 s (a failure) and, on POSIX systems without sanitizers (which reserve
// more), limited to 1 GB of address space.
ToolResult runToolBounded(const QStringList &args, const QStringList &environment = {});

} // namespace testing_support
