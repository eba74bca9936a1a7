#include "support/FaultMatrix.h"

#include "support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <gtest/gtest.h>

#include <algorithm>

namespace testing_support {

namespace {

std::optional<QByteArray> contents(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

void putBack(const WrittenFile &file)
{
    QFile::remove(file.path);
    if (file.before) {
        QDir().mkpath(QFileInfo(file.path).absolutePath());
        QFile out(file.path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly)) << file.path.toStdString();
        ASSERT_EQ(out.write(*file.before), file.before->size());
    }
}

QSet<QString> entries(const QString &dir)
{
    const QStringList names = QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    return QSet<QString>(names.begin(), names.end());
}

QString describe(const std::optional<QByteArray> &bytes)
{
    return bytes ? QStringLiteral("%1 bytes").arg(bytes->size()) : QStringLiteral("no file");
}

} // namespace

QString FaultRow::summary() const
{
    return QStringLiteral("%1: %2 points, %3 written whole, %4 refused and reported, %5 defects")
        .arg(writer)
        .arg(points)
        .arg(whole)
        .arg(refused)
        .arg(defects.size());
}

std::vector<qint64> everyFailurePoint(const FaultCase &fault)
{
    qint64 largest = 0;
    for (const WrittenFile &file : fault.files) {
        if (file.after)
            largest = std::max<qint64>(largest, file.after->size());
    }
    std::vector<qint64> limits;
    for (qint64 limit = 0; limit <= largest; ++limit)
        limits.push_back(limit);
    return limits;
}

FaultRow runFaultMatrix(const FaultCase &fault, const std::vector<qint64> &limits)
{
    FaultRow row;
    row.writer = fault.writer;
    FileSizeLimit limit;
    QSet<QString> expectedNames;
    // A file in a subfolder of the checked folder stands for that subfolder.
    for (const WrittenFile &file : fault.files) {
        if (file.before || file.after)
            expectedNames.insert(QDir(fault.dir).relativeFilePath(file.path).section(QLatin1Char('/'), 0, 0));
    }

    // The last run has no limit: there the write must succeed whole.
    std::vector<std::optional<qint64>> runs(limits.begin(), limits.end());
    runs.push_back(std::nullopt);
    for (const std::optional<qint64> &point : runs) {
        for (const WrittenFile &file : fault.files)
            putBack(file);
        if (fault.reset)
            fault.reset();
        const QSet<QString> namesBefore = entries(fault.dir);

        if (point && !limit.set(*point)) {
            row.defects << QStringLiteral("the file-size limit %1 cannot be set").arg(*point);
            break;
        }
        const bool reportedSuccess = fault.write();
        limit.clear();
        ++row.points;

        const QString where = point ? QStringLiteral("limit %1").arg(*point) : QStringLiteral("no limit");
        const auto same = [&](const std::optional<QByteArray> &a, const std::optional<QByteArray> &b) {
            if (!a || !b || !fault.comparable)
                return a == b;
            return a->size() == b->size() && fault.comparable(*a) == fault.comparable(*b);
        };
        bool allNew = true;
        for (const WrittenFile &file : fault.files) {
            const std::optional<QByteArray> now = contents(file.path);
            if (same(now, file.after))
                continue;
            allNew = false;
            if (!same(now, file.before)) {
                row.defects << QStringLiteral("%1: %2 is %3, neither as before (%4) nor as after (%5)")
                                   .arg(where, QFileInfo(file.path).fileName(), describe(now),
                                        describe(file.before), describe(file.after));
            }
        }
        for (const QString &name : entries(fault.dir) - namesBefore - expectedNames)
            row.defects << QStringLiteral("%1: %2 left behind").arg(where, name);

        if (allNew && reportedSuccess)
            ++row.whole;
        else if (!reportedSuccess)
            ++row.refused;
        else
            row.defects << QStringLiteral("%1: success reported but the files were not written").arg(where);
        if (!point && !(allNew && reportedSuccess))
            row.defects << QStringLiteral("without a limit the write did not succeed whole");
    }
    return row;
}

void recordRow(const FaultRow &row)
{
    const QByteArray target = qgetenv("MARBELO_FAULT_MATRIX");
    if (target.isEmpty())
        return;
    QFile file(QString::fromLocal8Bit(target));
    if (file.open(QIODevice::WriteOnly | QIODevice::Append))
        file.write(row.summary().toUtf8() + '\n');
}

void expectSoundMatrix(const FaultCase &fault, const std::vector<qint64> &limits)
{
    const FaultRow row = runFaultMatrix(fault, limits);
    recordRow(row);
    EXPECT_TRUE(row.defects.isEmpty()) << row.defects.join(QLatin1Char('\n')).toStdString();
    EXPECT_GT(row.refused, 0) << row.summary().toStdString();
    EXPECT_GE(row.whole, 1) << row.summary().toStdString();
}

} // namespace testing_support
