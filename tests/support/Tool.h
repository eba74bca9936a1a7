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

} // namespace testing_support
