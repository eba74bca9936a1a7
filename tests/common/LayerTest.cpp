// The layers of src/ run one way: every #include between its folders follows
// the layer table of docs/architecture.md (a folder includes only itself and
// the folders below it), a file outside a ui/ folder (but for a program's
// main.cpp) includes no ui/ header,
// and the diagram beside the table draws the same order.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTextStream>

#include <gtest/gtest.h>

namespace {

const QString kSource = QStringLiteral(MARBELO_SOURCE_DIR);

QStringList lines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll()).split(u'\n');
}

// The folders of the table under "## Layers", top to bottom, and the order
// of the diagram's arrows.
void readLayers(QStringList *table, QStringList *diagram)
{
    const QStringList doc = lines(kSource + QStringLiteral("/docs/architecture.md"));
    const QRegularExpression row(QStringLiteral("^\\|\\s*(\\d+)\\s*\\|\\s*`([a-z]+)`"));
    const QRegularExpression arrow(QStringLiteral("^\\s*([a-z]+)\\s*-->\\s*([a-z]+)\\s*$"));
    bool inSection = false;
    for (const QString &line : doc) {
        if (line.startsWith(QLatin1String("## ")))
            inSection = line == QLatin1String("## Layers");
        if (!inSection)
            continue;
        if (const auto m = row.match(line); m.hasMatch())
            *table << m.captured(2);
        if (const auto m = arrow.match(line); m.hasMatch()) {
            if (diagram->isEmpty())
                *diagram << m.captured(1);
            *diagram << m.captured(2);
        }
    }
}

} // namespace

TEST(Layers, IncludesRunDownTheTable)
{
    QStringList table;
    QStringList diagram;
    readLayers(&table, &diagram);
    ASSERT_GE(table.size(), 5) << "no layer table in docs/architecture.md";
    EXPECT_EQ(diagram, table) << "the diagram draws another order than the table";
    const QDir src(kSource + QStringLiteral("/src"));
    // Every folder of src/ has its row.
    for (const QString &folder : src.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        EXPECT_TRUE(table.contains(folder)) << folder.toStdString() << " has no row in the layer table";

    const QRegularExpression include(QStringLiteral("^\\s*#\\s*include\\s+\"([^\"]+)\""));
    QStringList faults;
    int checked = 0;
    QDirIterator files(src.path(), {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = src.relativeFilePath(files.next());
        const QString folder = path.section(u'/', 0, 0);
        // The programs' entries (main.cpp) link the widget library, as ui/ files do.
        const bool inUi = path.contains(QLatin1String("/ui/")) || path.endsWith(QLatin1String("/main.cpp"));
        const QStringList text = lines(src.filePath(path));
        for (qsizetype n = 0; n < text.size(); ++n) {
            const auto m = include.match(text[n]);
            if (!m.hasMatch())
                continue;
            const QString target = m.captured(1);
            const QString targetFolder = target.section(u'/', 0, 0);
            if (!table.contains(targetFolder) || !target.contains(u'/'))
                continue;
            ++checked;
            const QString where = QStringLiteral("src/%1:%2: %3").arg(path).arg(n + 1).arg(target);
            if (table.indexOf(targetFolder) < table.indexOf(folder))
                faults << where + QStringLiteral(" (") + folder + QStringLiteral(" may not include ") + targetFolder
                              + QStringLiteral(", a layer above it)");
            else if (!inUi && target.contains(QLatin1String("/ui/")))
                faults << where + QStringLiteral(" (a file outside ui/ includes a widget header)");
        }
    }
    EXPECT_GT(checked, 100);
    EXPECT_TRUE(faults.isEmpty()) << faults.join(u'\n').toStdString();
}
