// Where the program's files live, decided once at start.
// Portable: everything in the program's own folder (a build folder, or a
// program folder copied anywhere). Installed: the user's files in their own
// data folder; the installed topics, front page, help and player in the
// package's shared folders, which are only read.
#pragma once

#include <QString>
#include <QStringList>

namespace marbelo {

class DataLocation
{
public:
    enum class Mode { Portable, Installed };

    // Everything in dir (trailing separator added when missing).
    static DataLocation portable(const QString &dir);
    // User files in userDir; installed topics, front page and help in
    // sharedDir; the player and Autorun.inf in playerDir.
    static DataLocation installed(const QString &userDir, const QString &sharedDir, const QString &playerDir);

    // The decision made at start for the program in programDir (see
    // DataLocation.cpp); userDir is the user's data folder for installed mode.
    static DataLocation decide(const QString &programDir, const QString &userDir);
    // The user's data folder of the installed program (~/.local/share/marbelo
    // on Linux), with its trailing separator.
    static QString userDataDir();

    Mode mode() const { return m_mode; }
    // Catalogue, outlines, image stores, Copy.jpg, View.jpg, the lock.
    const QString &dataDir() const { return m_dataDir; }
    // Folders searched for topic files, shared ones first.
    QStringList libraryDirs() const;
    QString frontPagePath() const;
    QString helpPath() const;
    // The folder of the installed topics, front page and help.
    const QString &sharedDir() const { return m_sharedDir; }
    // The demo questions, put into the question bank on its first use.
    QString demoQuestionsPath() const;
    // The folder the export copies the player and Autorun.inf from.
    const QString &playerDir() const { return m_playerDir; }

    // Installed mode: creates the data folder and an empty catalogue when
    // they are missing. False with *error, a sentence to show the user, when
    // that fails; portable mode creates nothing.
    bool prepare(QString *error) const;

private:
    Mode m_mode = Mode::Portable;
    QString m_dataDir;
    QString m_sharedDir;
    QString m_playerDir;
};

// The shared and player folders of a package, relative to its program folder.
inline const QString kSharedDirFromProgram = QStringLiteral("../share/marbelo/");
inline const QString kPlayerDirFromProgram = QStringLiteral("../lib/marbelo/");

} // namespace marbelo
