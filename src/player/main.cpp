// The player of exported presentations (shipped as Start.exe): plays the
// presentation file named on its command line, or else the *.pnn file in its
// own folder, full screen with the keys and buttons of the program's preview.

#include "common/ui/InterfaceFont.h"
#include "common/ProgramName.h"
#include "presentation/PlayerFile.h"
#include "presentation/ui/ViewForm.h"
#include "store/DataFiles.h"
#include "store/SlideBlocks.h"
#include "store/components/Stream.h"
#include "store/components/ui/MessageBoxes.h"

#include <QApplication>
#include <QFileInfo>
#include <QTextStream>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>

using namespace marbelo;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    marbelo::pinInterfaceFont();
    QApplication::setApplicationName(QString::fromLatin1(kProgramName));
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Polish, QLocale::Poland), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    // "--check" finds and indexes the presentation as a start does, prints
    // its slide count and ends: how an installation checks the folder plays.
    QStringList arguments = app.arguments().mid(1);
    const bool check = !arguments.isEmpty() && arguments.first() == QLatin1String("--check");
    if (check)
        arguments.removeFirst();
    const QString path = findPresentation(arguments, QApplication::applicationDirPath());
    std::unique_ptr<Stream> presentation;
    std::vector<BlockInfo> slides;
    if (!path.isEmpty() && (presentation = openStream(path, OpenMode::Read)))
        slides = indexBlocks(*presentation, 0);
    if (check) {
        QTextStream(stdout) << "slides\t" << slides.size() << "\t" << QFileInfo(path).fileName() << Qt::endl;
        return slides.empty() ? 1 : 0;
    }
    if (slides.empty()) {
        QMessageBox::information(nullptr, QString::fromLatin1(kProgramName),
                                 QStringLiteral("Nie znaleziono prezentacji do wyświetlenia."));
        return 1;
    }
    MessageBoxes messages;
    ViewForm view(std::move(presentation), std::move(slides), messages);
    messages.setOwner(&view);
    view.exec();
    return 0;
}
