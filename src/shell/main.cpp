// Program entry: the data location, one copy per user, the Polish Qt texts,
// the help file, and the main window.

#include "common/ui/InterfaceFont.h"
#include "common/ProgramName.h"
#include "presentation/ui/FileSaveDialog.h"
#include "shell/ui/HelpKey.h"
#include "shell/ui/HelpWindow.h"
#include "shell/ui/MainWindow.h"
#include "shell/ui/SingleInstance.h"
#include "store/DataFiles.h"
#include "store/DataLocation.h"
#include "store/components/ui/MessageBoxes.h"

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    marbelo::pinInterfaceFont();
    QApplication::setApplicationName(QString::fromLatin1(marbelo::kProgramName));
    const QString helpFile = QStringLiteral("TarvixHelp.html");
    app.setProperty("helpFile", helpFile);

    // Decided once: the program's own folder, or the user's data folder when
    // the program is installed.
    const marbelo::DataLocation location = marbelo::DataLocation::decide(
        marbelo::dataDirFromExecutable(QCoreApplication::applicationFilePath()),
        marbelo::DataLocation::userDataDir());
    QString prepareError;
    const bool prepared = location.prepare(&prepareError);

    const QString executable = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    marbelo::SingleInstance instance(executable.toUpper());
    if (location.mode() == marbelo::DataLocation::Mode::Installed && prepared)
        instance.setLockDir(location.dataDir());
    if (!instance.acquire()) {
        instance.activateRunningCopy();
        return 0;
    }

    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Polish, QLocale::Poland), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    marbelo::HelpWindow helpWindow(location.helpPath());
    marbelo::installHelpProvider(&helpWindow);
    marbelo::HelpKey::install();

    marbelo::MessageBoxes messages;
    marbelo::FileSaveDialog saveDialog;
    marbelo::MainWindow window(location, messages, saveDialog);
    messages.setOwner(&window);
    saveDialog.setOwner(&window);
    instance.setWindow(&window);
    window.show();
    // Each command that writes reports its own failure; this says why they will.
    if (!prepared)
        messages.inform(prepareError);
    const int result = QApplication::exec();
    marbelo::installHelpProvider(nullptr);
    return result;
}
