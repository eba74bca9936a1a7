#include "support/Tool.h"

#include <QProcess>

#include <gtest/gtest.h>

namespace testing_support {

ToolResult runTool(const QStringList &args)
{
    ToolResult result;
    const QString program = QStringLiteral(MARBELO_TOOL_PATH);
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(60000)) {
        ADD_FAILURE() << "marbelo-tool did not finish";
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

} // namespace testing_support
