// Shared plumbing of marbelo-tool's commands.
#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace tool {

constexpr int kOk = 0;
constexpr int kFailed = 1; // unreadable or corrupt file
constexpr int kUsage = 2;  // wrong usage

QTextStream &out();
QTextStream &err();

// Prints the message on stderr and returns kFailed.
int fail(const QString &message);
int usage(const QString &message);

QString hexReference(quint32 reference); // 0x%08X

// Commands; args excludes the command words.
int libraryBuild(const QStringList &args);
int libraryDump(const QStringList &args);
int libraryList(const QStringList &args);
int libraryImport(const QStringList &args);
int frontBuild(const QStringList &args);
int extract(const QStringList &args);
int trainings(const QStringList &args);
int outline(const QStringList &args);
int compose(const QStringList &args);
int exportFolder(const QStringList &args);
int pdf(const QStringList &args);
int blocks(const QStringList &args);
int programme(const QStringList &args);
// The programme's PDF draws text, which needs a QGuiApplication.
bool needsGuiApplication(const QStringList &args);

} // namespace tool
