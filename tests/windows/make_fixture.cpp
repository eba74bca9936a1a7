// Writes the data folder scripts/windows-test.sh runs both builds of
// marbelo-tool on: one training with its front page, slides and outline, made
// by the same fixture code as the tests. Usage: marbelo-wine-fixture DIR

#include "support/PresentationData.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2 || !QDir().mkpath(args[1])) {
        QTextStream(stderr) << "usage: marbelo-wine-fixture DIR (a folder that can be made)\n";
        return 2;
    }
    const QString dir = QDir(args[1]).absolutePath() + QLatin1Char('/');
    const testing_support::TrainingData data =
        testing_support::writeTrainingData(dir, QStringLiteral("Szkolenie okresowe – zażółć gęślą jaźń"), 5);
    return data.references.empty() ? 1 : 0;
}
