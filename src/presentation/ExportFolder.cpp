#include "presentation/ExportFolder.h"

#include "presentation/BrowserPage.h"
#include "presentation/DecodedSlides.h"
#include "presentation/ExportPlan.h"
#include "store/CopyDataFile.h"
#include "store/SaveFile.h"
#include "store/SlideBlocks.h"
#include "store/components/Stream.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QRandomGenerator>

namespace marbelo {

namespace {

constexpr QFileDevice::Permissions kExecutable =
    QFileDevice::ExeOwner | QFileDevice::ExeUser | QFileDevice::ExeGroup | QFileDevice::ExeOther;

// The player must start from the folder: it keeps the read bits a new file
// gets and can be executed by whoever can read it.
bool makeExecutable(const QString &path)
{
    QFileDevice::Permissions permissions = QFile::permissions(path);
    if (permissions & QFileDevice::ReadGroup)
        permissions |= QFileDevice::ExeGroup;
    if (permissions & QFileDevice::ReadOther)
        permissions |= QFileDevice::ExeOther;
    permissions |= QFileDevice::ExeOwner | QFileDevice::ExeUser;
    return QFile::setPermissions(path, permissions) && (QFile::permissions(path) & kExecutable);
}

// Replaces (or creates) target by the folder ready: the older folder is moved
// aside first and removed only once the new one is in place, and moved back
// when that fails.
bool replaceFolder(const QString &ready, const QString &target)
{
    const QFileInfo old(target);
    if (!old.exists() && !old.isSymLink())
        return QDir().rename(ready, target);
    const QString aside = ready + QStringLiteral(".old");
    if (!QDir().rename(target, aside))
        return false;
    if (!QDir().rename(ready, target)) {
        QDir().rename(aside, target);
        return false;
    }
    if (QFileInfo(aside).isDir())
        QDir(aside).removeRecursively();
    else
        QFile::remove(aside);
    return true;
}

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
            QDir(m_path).removeRecursively();
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
    if (page.isEmpty() || !html.open(QIODevice::WriteOnly) || html.write(page) != page.size()
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
    result.presentationWritten = composed.ok && CopyDataFile(workPath, chosenPath) == 0;
    if (composed.ok
        && !writeBrowserPlayer(workPath, folder, browserPageName(chosenPath), slideFolderName(chosenPath), title,
                               &result.slides))
        result.failedBrowser << browserPageName(chosenPath) << slideFolderName(chosenPath);
    for (const SideFile &side : sideFiles(playerDir, folder)) {
        if (!side.required && !QFileInfo::exists(side.source))
            continue;
        const bool player = side.destination.endsWith(QLatin1String("/Start.exe"));
        if (CopyDataFile(side.source, side.destination) != 0 || (player && !makeExecutable(side.destination)))
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
