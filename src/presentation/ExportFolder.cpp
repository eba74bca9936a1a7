#include "presentation/ExportFolder.h"

#include "presentation/BrowserPage.h"
#include "presentation/DecodedSlides.h"
#include "presentation/ExecutableFile.h"
#include "presentation/ExportPlan.h"
#include "presentation/PlayerRuntime.h"
#include "store/CopyDataFile.h"
#include "store/TargetFiles.h"
#include "store/WholeFile.h"
#include "store/components/Coding.h"
#include "store/components/JpegDecoder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

// The decoded slides of the presentation, written into a fresh folder as it
// is composed. A slide that is no JPEG picture the PDF or a browser can show
// fails the composition; a slide file that cannot be written only ends the
// browser player.
class BrowserSlides : public ComposedSlides
{
public:
    explicit BrowserSlides(const QString &folder) : m_fresh(folder) { m_whole = m_fresh.made(); }

    bool add(QByteArray &coded, QString *error) override
    {
        ++m_count;
        // The slide is in the presentation file: decoded where it lies.
        BCodeCopy(coded.constData(), coded.data(), coded.size(), 0);
        if (!isDecodableJpegSize(jpegImageSize(coded))) {
            *error = QStringLiteral("slajd %1 nie jest poprawnym obrazem JPEG").arg(m_count);
            return false;
        }
        const QString path = QDir(m_fresh.path()).filePath(decodedSlideName(QString(), m_count));
        m_whole = m_whole && writeWholeFile(path, coded);
        return true;
    }
    int count() const { return m_count; }
    bool whole() const { return m_whole; }
    FreshFolder &folder() { return m_fresh; }

private:
    FreshFolder m_fresh;
    int m_count = 0;
    bool m_whole = false;
};

// The slides written, NAME.html is written and the slides' folder put in
// place of the older one; NAME.html is committed after it, so it never lists
// slides that are not there.
bool writeBrowserPlayer(BrowserSlides &slides, const QString &folder, const QString &pageName,
                        const QString &slideFolder, const QString &title)
{
    if (!slides.whole())
        return false;
    const QByteArray page = browserPage(title, slideFolder, slides.count());
    if (page.isEmpty())
        return false;
    return writeWholeFile(folder + pageName, [&](QFileDevice &html, QString *) {
        if (html.write(page) != page.size() || !html.flush()
            || !replaceFolder(slides.folder().path(), folder + slideFolder))
            return false;
        slides.folder().keep();
        return true;
    });
}

// Makes the folders from folder down to path; a link met on the way is
// removed as a link first, so no file is ever written through one.
bool makeFoldersAtTarget(const QString &folder, const QString &path)
{
    QString at = folder.endsWith(QLatin1Char('/')) ? folder.chopped(1) : folder;
    for (const QString &part : path.mid(at.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        at += QLatin1Char('/') + part;
        if (isLink(at) && !removeAtTarget(at))
            return false;
        if (!QDir().mkpath(at) || isLink(at))
            return false;
    }
    return true;
}

} // namespace

ExportResult exportPresentationFolder(const QString &dataDir, int trainingNumber,
                                      const std::vector<ItemReference> &references, TrainingRecord *training,
                                      const QString &chosenPath, const ExportSources &sources)
{
    ExportResult result;
    const QString folder = presentationFolder(chosenPath);
    // A new folder beside the old one, made with the usual mode of new folders.
    BrowserSlides slides(folder + slideFolderName(chosenPath));
    result.composed =
        composePresentation(dataDir, trainingNumber, references, training, chosenPath, sources.frontPagePath, &slides);
    result.presentationWritten = result.composed.ok;
    // Without the presentation file nothing else of the folder is written.
    if (!result.presentationWritten)
        return result;
    result.slides = slides.count();
    if (!writeBrowserPlayer(slides, folder, browserPageName(chosenPath), slideFolderName(chosenPath),
                            training->name))
        result.failedBrowser << browserPageName(chosenPath) << slideFolderName(chosenPath);
    const QString playerDir = sources.playerDir.isEmpty() ? dataDir : sources.playerDir;
    // A runtime list that cannot be used leaves the player without what it needs to start.
    if (!playerRuntime(playerDir).valid)
        result.failedSides << kPlayerRuntimeList;
    for (const SideFile &side : sideFiles(playerDir, folder)) {
        if (!side.required && !QFileInfo::exists(side.source))
            continue;
        const bool player = side.destination.endsWith(QLatin1String("/Start.exe"));
        // Runtime files may lie in a folder of their own (platforms/).
        const bool placed = makeFoldersAtTarget(folder, QFileInfo(side.destination).absolutePath());
        if (!placed || CopyDataFile(side.source, side.destination) != 0 || (player && !makeExecutable(side.destination)))
            result.failedSides << QFileInfo(side.destination).fileName();
    }
    return result;
}

QString exportMessage(const ExportResult &result, const QString &chosenPath)
{
    if (result.ok())
        return QStringLiteral("Prezentacja została poprawnie utworzona.");
    QString text;
    if (!result.composed.ok)
        text = result.composed.fileFailed
                   ? QStringLiteral("Nie udało się utworzyć prezentacji. ") + result.composed.error
                   : QStringLiteral("Nie udało się utworzyć prezentacji: %1.").arg(result.composed.error);
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
