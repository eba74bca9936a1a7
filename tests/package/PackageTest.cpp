// The Debian package as a user gets it: its file list and control fields,
// its desktop entry and metainfo, and the programs unpacked from it
// (dpkg-deb -x into a temporary root) run against the shared topic library
// and a temporary home.

#include "common/ui/PaneWidgets.h"
#include "store/DataFiles.h"
#include "store/DataLocation.h"
#include "support/Fixtures.h"
#include "support/ui/InstalledWindow.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace marbelo;
using namespace testing_support;

namespace {

struct Finished
{
    int exitCode = -1;
    QString out;
    QString err;
};

Finished run(const QString &program, const QStringList &args)
{
    QProcess process;
    process.start(program, args);
    Finished result;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return result;
    result.exitCode = process.exitCode();
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

// Every file under dir, relative to it.
QSet<QString> filesUnder(const QString &dir)
{
    QSet<QString> files;
    QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.insert(QDir(dir).relativeFilePath(it.next()));
    return files;
}

int demoTopicCount()
{
    return static_cast<int>(QDir(QStringLiteral(MARBELO_SOURCE_DIR "/data/demo/topics"))
                                .entryList({QStringLiteral("*.txt")}, QDir::Files)
                                .size());
}

// Sets HOME for this process while it lives, so that the user's folder is
// looked up the way the program does it.
class HomeFolder
{
public:
    explicit HomeFolder(const QString &home)
        : m_home(qgetenv("HOME")), m_xdg(qgetenv("XDG_DATA_HOME"))
    {
        qputenv("HOME", QFile::encodeName(home));
        qunsetenv("XDG_DATA_HOME");
    }
    ~HomeFolder()
    {
        qputenv("HOME", m_home);
        if (!m_xdg.isEmpty())
            qputenv("XDG_DATA_HOME", m_xdg);
    }

private:
    QByteArray m_home;
    QByteArray m_xdg;
};

class PackageTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        root = std::make_unique<QTemporaryDir>();
        const Finished extracted = run(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), deb(), root->path()});
        ASSERT_EQ(extracted.exitCode, 0) << extracted.err.toStdString();
    }
    static void TearDownTestSuite() { root.reset(); }

    static QString deb() { return QStringLiteral(MARBELO_PACKAGE_PATH); }
    static QString unpacked(const QString &path) { return root->path() + QLatin1Char('/') + path; }

    // "library list" of the unpacked tool on the shared library.
    static QStringList sharedTitles()
    {
        const Finished listed = run(unpacked("usr/bin/marbelo-tool"),
                               {QStringLiteral("library"), QStringLiteral("list"), unpacked("usr/share/marbelo/")});
        EXPECT_EQ(listed.exitCode, 0) << listed.err.toStdString();
        QStringList titles;
        for (const QString &line : listed.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            const QStringList fields = line.split(QLatin1Char('\t'));
            EXPECT_EQ(fields.size(), 3) << line.toStdString();
            titles << fields.value(2);
        }
        return titles;
    }

    static std::unique_ptr<QTemporaryDir> root;
};

std::unique_ptr<QTemporaryDir> PackageTest::root;

} // namespace

TEST_F(PackageTest, FileListAndControlFields)
{
    const Finished listed = run(QStringLiteral("dpkg-deb"), {QStringLiteral("-c"), deb()});
    ASSERT_EQ(listed.exitCode, 0) << listed.err.toStdString();
    QSet<QString> files;
    for (const QString &line : listed.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (!line.startsWith(QLatin1Char('d')))
            files.insert(line.section(QLatin1Char(' '), -1).mid(2)); // "./usr/..." without "./"
    }
    QSet<QString> expected = {
        "usr/bin/marbelo",
        "usr/bin/marbelo-tool",
        "usr/lib/marbelo/TarvixView.exe",
        "usr/lib/marbelo/Autorun.inf",
        "usr/share/marbelo/TarvixFront.fdl",
        "usr/share/marbelo/TarvixHelp.html",
        "usr/share/marbelo/Pytania.gift",
        "usr/share/applications/marbelo.desktop",
        "usr/share/metainfo/pl.tavo.marbelo.metainfo.xml",
        "usr/share/icons/hicolor/scalable/apps/marbelo.svg",
        "usr/share/man/man1/marbelo.1.gz",
        "usr/share/man/man1/marbelo-tool.1.gz",
        "usr/share/doc/marbelo/copyright",
        "usr/share/doc/marbelo/changelog.gz",
    };
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        expected.insert(QStringLiteral("usr/share/icons/hicolor/%1x%1/apps/marbelo.png").arg(size));
    for (const QString &name : QDir(QStringLiteral(MARBELO_SOURCE_DIR "/data/demo/topics"))
                                   .entryList({QStringLiteral("*.txt")}, QDir::Files))
        expected.insert(QStringLiteral("usr/share/marbelo/") + QFileInfo(name).completeBaseName() + ".mdl");
    EXPECT_EQ(files, expected);

    const struct
    {
        const char *field;
        QString value;
    } fields[] = {
        {"Package", "marbelo"},
        {"Version", QStringLiteral(MARBELO_VERSION)},
        {"Section", "education"},
        {"Maintainer", QStringLiteral("Tavo Sp. z o.o. <biuro@tavo.pl>")},
    };
    for (const auto &f : fields) {
        const Finished read = run(QStringLiteral("dpkg-deb"), {QStringLiteral("-f"), deb(), QString::fromLatin1(f.field)});
        EXPECT_EQ(read.out.trimmed(), f.value) << f.field;
    }
    // Dependencies come from the libraries the programs link, found by shlibdeps.
    const QString depends =
        run(QStringLiteral("dpkg-deb"), {QStringLiteral("-f"), deb(), QStringLiteral("Depends")}).out;
    for (const char *library : {"libqt6widgets6", "libqt6network6", "libturbojpeg0", "libc6"})
        EXPECT_TRUE(depends.contains(QLatin1String(library))) << depends.toStdString();

    for (const char *program : {"usr/bin/marbelo", "usr/bin/marbelo-tool", "usr/lib/marbelo/TarvixView.exe"})
        EXPECT_TRUE(QFileInfo(unpacked(QString::fromLatin1(program))).isExecutable()) << program;
    // The man pages and the changelog are gzip files.
    for (const char *gz : {"usr/share/man/man1/marbelo-tool.1.gz", "usr/share/doc/marbelo/changelog.gz"})
        EXPECT_TRUE(readFile(unpacked(QString::fromLatin1(gz))).startsWith("\x1f\x8b")) << gz;
}

TEST_F(PackageTest, DesktopEntryAndMetainfoValidate)
{
    const Finished desktop = run(QStringLiteral("desktop-file-validate"), {unpacked("usr/share/applications/marbelo.desktop")});
    EXPECT_EQ(desktop.exitCode, 0) << desktop.out.toStdString() << desktop.err.toStdString();
    const Finished metainfo = run(QStringLiteral("appstreamcli"),
                             {QStringLiteral("validate"), QStringLiteral("--no-net"),
                              unpacked("usr/share/metainfo/pl.tavo.marbelo.metainfo.xml")});
    EXPECT_EQ(metainfo.exitCode, 0) << metainfo.out.toStdString() << metainfo.err.toStdString();

    const QString entry = QString::fromUtf8(readFile(unpacked("usr/share/applications/marbelo.desktop")));
    for (const char *line : {"Exec=marbelo\n", "Icon=marbelo\n", "Categories=Office;Presentation;Education;\n"})
        EXPECT_TRUE(entry.contains(QLatin1String(line))) << line;
    EXPECT_TRUE(entry.contains(QStringLiteral("Comment[pl]=Tworzenie prezentacji do szkoleń BHP")));
}

TEST_F(PackageTest, UnpackedToolListsTheSharedLibrary)
{
    const QStringList titles = sharedTitles();
    EXPECT_EQ(titles.size(), demoTopicCount());
    EXPECT_FALSE(titles.contains(QString()));
}

TEST_F(PackageTest, UnpackedProgramMakesItsDataFolderInTheHomeFolder)
{
    QTemporaryDir home;
    const QSet<QString> packaged = filesUnder(unpacked("usr"));
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    env.remove(QStringLiteral("XDG_DATA_HOME"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(env);
    program.start(unpacked("usr/bin/marbelo"), {});
    ASSERT_TRUE(program.waitForStarted(30000));
    // The program runs until it is closed; it is ended once its folder is made.
    const QString data = home.path() + QStringLiteral("/.local/share/marbelo/");
    const bool made = QTest::qWaitFor(
        [&] { return QFileInfo::exists(data + kCatalogueName) && QFileInfo::exists(data + "MARBELO.lock"); },
        60000);
    const bool stillRunning = program.state() == QProcess::Running;
    program.kill();
    program.waitForFinished(30000);
    ASSERT_TRUE(made) << QString::fromUtf8(program.readAllStandardError()).toStdString();
    EXPECT_TRUE(stillRunning);
    EXPECT_EQ(readFile(data + kCatalogueName), QByteArray());
    // Nothing was written next to the program or into the shared folders.
    EXPECT_EQ(filesUnder(unpacked("usr")), packaged);
}

TEST_F(PackageTest, WindowOnTheUnpackedPackageKeepsATrainingAcrossARestart)
{
    // The window of this test build, on the unpacked package's folders and a
    // temporary home, with the location decided as the program entry does.
    QTemporaryDir home;
    HomeFolder homeFolder(home.path());
    const DataLocation location = DataLocation::decide(unpacked("usr/bin/"), DataLocation::userDataDir());
    ASSERT_EQ(location.mode(), DataLocation::Mode::Installed);
    ASSERT_EQ(location.dataDir(), home.path() + QStringLiteral("/.local/share/marbelo/"));

    InstalledWindow session;
    ASSERT_TRUE(session.open(location));
    QStringList shown = InstalledWindow::lines(session.window->topicLibrary().list());
    QStringList listed = sharedTitles();
    shown.sort();
    listed.sort();
    EXPECT_EQ(shown, listed);
    session.createTraining(QStringLiteral("Szkolenie okresowe"), 1);
    session.close();

    ASSERT_TRUE(session.open(location));
    EXPECT_EQ(InstalledWindow::lines(session.window->trainingList().list()), QStringList({"Szkolenie okresowe"}));
    EXPECT_TRUE(session.messages.calls.empty());
    session.close();
    EXPECT_TRUE(QFileInfo::exists(location.dataDir() + outlineFileName(0)));
}
