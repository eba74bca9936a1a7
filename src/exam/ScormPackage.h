// A training as an e-learning package for a learning platform (SCORM 1.2):
// one zip with imsmanifest.xml and one SCO, index.html, that plays the
// training's slides with the browser player, shows the outline's chapters
// and sections to jump from and the programme with its hours, and ends with a
// self-check test drawn from the question bank for the topics the outline
// uses. The page talks to the platform's SCORM runtime (resources/scorm).
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace marbelo {
class OutlineTree;
}
namespace marbelo::db {
class Database;
}

namespace marbelo::exam {

constexpr int kDefaultSelfCheckQuestions = 10;
constexpr int kDefaultSelfCheckPassMark = 70; // per cent
constexpr int kMaxSelfCheckQuestions = 200;

struct ScormOptions
{
    int questions = kDefaultSelfCheckQuestions;
    int passMark = kDefaultSelfCheckPassMark;
    QStringList libraryDirs;      // where the topics the outline names are looked up
    QString frontPagePath;        // the front-page file, when it does not lie in the data folder
    std::uint64_t drawNumber = 0; // the questions' draw; 0: a random one
};

struct ScormResult
{
    bool ok = false;
    QString error;           // why not, in Polish
    bool fileFailed = false; // error is the writer's sentence naming the file
    int slides = 0;
    int questions = 0;
    qint64 slideBytes = 0; // the slides' JPEG files together
    qint64 bytes = 0;      // the package
};

// An entry of the table of contents: a chapter or section (an item without
// a slide) with the index of the first slide from it on.
struct ScormTocEntry
{
    int level = 0;
    QString name;
    int slide = 0;
    friend bool operator==(const ScormTocEntry &, const ScormTocEntry &) = default;
};

// The headings of the outline in order, each leading to the first slide that
// follows it (counted from 0, after the front page when there is one); a
// heading with no slide after it leads to the last slide. None when the
// package has no slides.
std::vector<ScormTocEntry> scormContents(const OutlineTree &tree, bool frontPage, int slides);

// The manifest of a package whose SCO is index.html with files (index.html
// among them); title: the training's name. The mastery score is passMark.
QByteArray scormManifest(int trainingNumber, const QString &title, int passMark, const QStringList &files);

// Writes the package of training trainingNumber of dataDir, with its outline
// tree, to outPath, whole or not at all (an older file stays as it was on any
// failure). Fails, with nothing written, when the bank holds fewer than
// options.questions questions for the outline's topics.
ScormResult writeScormPackage(const QString &dataDir, int trainingNumber, const OutlineTree &tree,
                              db::Database &database, const ScormOptions &options, const QString &outPath);

// What the trainer is told when the name chosen for the package is a file the
// program uses (presentation/ExportPlan's refusedTarget).
QString scormTargetRefusal(const QString &taken);

// The text the window shows when the package has been written or has failed.
QString scormMessage(const ScormResult &result);

} // namespace marbelo::exam
