#include "support/Tool.h"

#include <QProcess>
#include <QProcessEnvironment>

#if defined(Q_OS_UNIX)
#include <sys/resource.h>
#endif

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

ToolResult runToolBounded(const QStringList &args, const QStringList &environment)
{
    ToolResult result;
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString &entry : environment)
        env.insert(entry.section(QLatin1Char('='), 0, 0), entry.section(QLatin1Char('='), 1));
    process.setProcessEnvironment(env);
#if defined(Q_OS_UNIX) && !defined(__SANITIZE_ADDRESS__)
    process.setChildProcessModifier([] {
        const rlimit limit{1024L * 1024 * 1024, 1024L * 1024 * 1024};
        setrlimit(RLIMIT_AS, &limit);
    });
#endif
    process.start(QStringLiteral(MARBELO_TOOL_PATH), args);
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished();
        ADD_FAILURE() << "marbelo-tool ran over 10 s: " << args.join(' ').toStdString();
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

} // namespace testing_support
