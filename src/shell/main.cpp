// Program entry: one copy per user, the Polish Qt texts, the help file, and
// the main window on the data directory next to the executable.

#include "presentation/ui/FileSaveDialog.h"
#include "shell/ui/HelpKey.h"
#include "shell/ui/HelpWindow.h"
#include "shell/ui/MainWindow.h"
#include "shell/ui/SingleInstance.h"
#include "store/DataFiles.h"
#include "store/components/ui/MessageBoxes.h"

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dravelo"));
    QApplication::setApplicationDisplayName(QStringLiteral("Dravelo"));
    const QString helpFile = QStringLiteral("TarvixHelp.html");
    app.setProperty("helpFile", helpFile);

    const QString executable = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    marbelo::SingleInstance instance(executable.toUpper());
    if (!instance.acquire()) {
        instance.activateRunningCopy();
        return 0;
    }

    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Polish, QLocale::Poland), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    const QString dataDir = marbelo::dataDirFromExecutable(QCoreApplication::applicationFilePath());
    marbelo::HelpWindow helpWindow(dataDir + helpFile);
    marbelo::installHelpProvider(&helpWindow);
    marbelo::HelpKey::install();

    marbelo::MessageBoxes messages;
    marbelo::FileSaveDialog saveDialog;
    marbelo::MainWindow window(dataDir, messages, saveDialog);
    messages.setOwner(&window);
    saveDialog.setOwner(&window);
    instance.setWindow(&window);
    window.show();
    const int result = QApplication::exec();
    marbelo::installHelpProvider(nullptr);
    return result;
}
