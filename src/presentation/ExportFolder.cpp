#include "presentation/ExportFolder.h"

#include "presentation/BrowserPage.h"
#include "presentation/DecodedSlides.h"
#include "presentation/ExecutableFile.h"
#include "presentation/ExportPlan.h"
#include "presentation/PlayerRuntime.h"
#include "store/CopyDataFile.h"
#include "store/SaveFile.h"
#include "store/SlideBlocks.h"
#include "store/TargetFiles.h"
#include "store/components/Coding.h"
#include "store/components/JpegDecoder.h"
#include "store/components/Stream.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QRandomGenerator>

namespace marbelo {

namespace {

// A folder named base + "." + random letters, removed with what it holds
// unless kept.
class FreshFolder
{
public:
    explicit FreshFolder(const QString &base)
    {
        for (int attempt = 0; attempt < 16 && m_path.isEmpty(); ++attempt) {
            const QString candidate =
                base + QStringLiteral(".%1").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
            if (!QFileInfo::exists(candidate) && QDir().mkdir(candidate))
                m_path = candidate;
        }
    }
    ~FreshFolder()
    {
        if (!m_path.isEmpty() && !m_kept)
            removeAtTarget(m_path);
    }
    FreshFolder(const FreshFolder &) = delete;
    FreshFolder &operator=(const FreshFolder &) = delete;

    bool made() const { return !m_path.isEmpty(); }
    QString path() const { return m_path; }
    void keep() { m_kept = true; }

private:
    QString m_path;
    bool m_kept = false;
};

// The number (from 1) of the first slide of the presentation file that is
// no JPEG picture the PDF or a browser can show, 0 when all are; -1 when the
// file cannot be read.
int firstBadSlide(const QString &presentationPath)
{
    const std::unique_ptr<Stream> presentation = openStream(presentationPath, OpenMode::Read);
    if (!presentation)
        return -1;
    bool complete = false;
    const std::vector<BlockInfo> blocks = indexBlocks(*presentation, 0, &complete);
    if (!complete)
        return -1;
    QByteArray coded;
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        if (!readSlideBlock(*presentation, blocks[i].offset, &coded))
            return -1;
        if (!isDecodableJpegSize(jpegImageSize(BCodeToStr(coded))))
            return static_cast<int>(i) + 1;
    }
    return 0;
}

// The decoded slides of the presentation file in a fresh folder, then put in
// place of the older one; NAME.html is committed after them, so it never
// lists slides that are not there.
bool writeBrowserPlayer(const QString &presentationPath, const QString &folder, const QString &pageName,
                        const QString &slideFolder, const QString &title, int *slides)
{
    std::unique_ptr<Stream> presentation = openStream(presentationPath, OpenMode::Read);
    if (!presentation)
        return false;
    bool complete = false;
    std::vector<std::int32_t> offsets;
    for (const BlockInfo &block : indexBlocks(*presentation, 0, &complete))
        offsets.push_back(block.offset);
    if (!complete)
        return false;
    *slides = static_cast<int>(offsets.size());

    // A new folder beside the old one, made with the usual mode of new folders.
    FreshFolder fresh(folder + slideFolder);
    if (!fresh.made())
        return false;
    QString error;
    if (!writeDecodedSlides(*presentation, offsets, fresh.path(), QString(), &error))
        return false;
    presentation.reset();

    const QByteArray page = browserPage(title, slideFolder, *slides);
    QSaveFile html(folder + pageName);
    if (page.isEmpty() || !openAtTarget(html) || html.write(page) != page.size()
        || !html.flush()) {
        if (html.isOpen())
            html.cancelWriting();
        return false;
    }
    if (!replaceFolder(fresh.path(), folder + slideFolder)) {
        html.cancelWriting();
        return false;
    }
    fresh.keep();
    return commitWhole(html);
}

} // namespace

ExportResult writePresentationFolder(const ComposeResult &composed, const QString &playerDir, const QString &title,
                                     const QString &chosenPath, const QString &workPath)
{
    ExportResult result;
    result.composed = composed;
    const QString folder = presentationFolder(chosenPath);
    // A slide that is no picture is named instead of being copied.
    const int bad = composed.ok ? firstBadSlide(workPath) : 0;
    if (bad != 0) {
        result.composed.ok = false;
        result.composed.error = bad > 0 ? QStringLiteral("slajd %1 nie jest poprawnym obrazem JPEG").arg(bad)
                                        : QStringLiteral("nie można odczytać pliku %1").arg(QFileInfo(workPath).fileName());
    }
    result.presentationWritten = result.composed.ok && CopyDataFile(workPath, chosenPath) == 0;
    // Without the presentation file nothing else of the folder is written.
    if (!result.presentationWritten) {
        QFile::remove(workPath);
        return result;
    }
    if (!writeBrowserPlayer(workPath, folder, browserPageName(chosenPath), slideFolderName(chosenPath), title,
                               &result.slides))
        result.failedBrowser << browserPageName(chosenPath) << slideFolderName(chosenPath);
    // A runtime list that cannot be used leaves the player without what it needs to start.
    if (!playerRuntime(playerDir).valid)
        result.failedSides << kPlayerRuntimeList;
    for (const SideFile &side : sideFiles(playerDir, folder)) {
        if (!side.required && !QFileInfo::exists(side.source))
            continue;
        const bool player = side.destination.endsWith(QLatin1String("/Start.exe"));
        // Runtime files may lie in a folder of their own (platforms/).
        const bool placed = QFileInfo(side.destination).absolutePath() + QLatin1Char('/') == folder
                            || QDir().mkpath(QFileInfo(side.destination).absolutePath());
        if (!placed || CopyDataFile(side.source, side.destination) != 0 || (player && !makeExecutable(side.destination)))
            result.failedSides << QFileInfo(side.destination).fileName();
    }
    QFile::remove(workPath);
    return result;
}

ExportResult exportPresentationFolder(const QString &dataDir, int trainingNumber,
                                      const std::vector<ItemReference> &references, TrainingRecord *training,
                                      const QString &chosenPath, const QString &workPath)
{
    const ComposeResult composed = composePresentation(dataDir, trainingNumber, references, training, workPath);
    return writePresentationFolder(composed, dataDir, training->name, chosenPath, workPath);
}

QString exportMessage(const ExportResult &result, const QString &chosenPath)
{
    if (result.ok())
        return QStringLiteral("Prezentacja została poprawnie utworzona.");
    QString text;
    if (!result.composed.ok)
        text = QStringLiteral("Nie udało się utworzyć prezentacji: %1.").arg(result.composed.error);
    else if (!result.presentationWritten)
        text = QStringLiteral("Nie udało się zapisać prezentacji w pliku %1.").arg(QFileInfo(chosenPath).fileName());
    else if (!result.failedSides.isEmpty())
        text = QStringLiteral("Prezentacja została zapisana, ale nie będzie można jej uruchomić z tego folderu.");
    else
        text = QStringLiteral("Prezentacja została zapisana, ale nie będzie można jej odtworzyć w przeglądarce.");
    if (!result.failedBrowser.isEmpty())
        text += QStringLiteral("\nNie udało się zapisać plików: %1.").arg(result.failedBrowser.join(QStringLiteral(", ")));
    if (!result.failedSides.isEmpty())
        text += QStringLiteral("\nNie udało się skopiować plików: %1.").arg(result.failedSides.join(QStringLiteral(", ")));
    return text;
}

} // namespace marbelo
