// The player of exported presentations (shipped as Start.exe): plays the
// presentation file named on its command line, or else the *.pnn file in its
// own folder, full screen with the keys and buttons of the program's preview.

#include "presentation/PlayerFile.h"
#include "presentation/ui/ViewForm.h"
#include "store/DataFiles.h"
#include "store/SlideBlocks.h"
#include "store/components/Stream.h"
#include "store/components/ui/MessageBoxes.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>

using namespace marbelo;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dravelo"));
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Polish, QLocale::Poland), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    const QString path = findPresentation(app.arguments().mid(1), QApplication::applicationDirPath());
    std::unique_ptr<Stream> presentation;
    std::vector<BlockInfo> slides;
    if (!path.isEmpty() && OpenStream(presentation, path, kOpenRead, 1))
        slides = indexBlocks(*presentation, 0);
    if (slides.empty()) {
        QMessageBox::information(nullptr, QStringLiteral("Dravelo"),
                                 QStringLiteral("Nie znaleziono prezentacji do wyświetlenia."));
        return 1;
    }
    MessageBoxes messages;
    ViewForm view(std::move(presentation), std::move(slides), messages);
    messages.setOwner(&view);
    view.exec();
    return 0;
}
