// marbelo-screenshot: renders the main window (or the "Kursy" window of a
// training) on a data directory into a PNG, headless, so that the pictures in
// docs/ can be made again at any time.
//   marbelo-screenshot DATADIR OUT.png [TOPIC_ROW [NODE_INDEX]]
//   marbelo-screenshot DATADIR OUT.png --courses TRAINING

#include "common/ProgramName.h"
#include "courses/CourseService.h"
#include "courses/ui/CoursesWindow.h"
#include "exam/ui/ExamCommands.h"
#include "store/db/Database.h"
#include "presentation/SaveDialog.h"
#include "shell/ui/MainWindow.h"
#include "topics/ui/TopicLibraryPane.h"
#include "common/ui/PaneWidgets.h"
#include "store/components/Messages.h"

#include <QApplication>
#include <QDir>
#include <QTreeWidget>

#include <cstdio>

namespace {

class SilentMessages : public marbelo::Messages
{
public:
    void inform(const QString &) override {}
    bool confirm(const QString &, marbelo::DefaultAnswer) override { return false; }
};

class NoSaveDialog : public marbelo::SaveDialog
{
public:
    QString execute() override { return QString(); }
};

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(marbelo::kProgramName));
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: marbelo-screenshot DATADIR OUT.png [TOPIC_ROW [NODE_INDEX] | --courses TRAINING]\n");
        return 2;
    }
    QString dir = QDir(args[1]).absolutePath() + QLatin1Char('/');
    SilentMessages messages;
    if (args.size() > 4 && args[3] == QLatin1String("--courses")) {
        marbelo::db::Database database(marbelo::db::Database::pathIn(dir));
        if (!database.open()) {
            std::fprintf(stderr, "cannot open the course database of %s\n", qPrintable(dir));
            return 1;
        }
        marbelo::CourseService service(database, dir);
        marbelo::CoursesWindow courses(service, messages, args[4].toInt());
        marbelo::exam::ExamCommands exam({dir});
        courses.setCommandHandler(&exam);
        courses.resize(1180, 620);
        courses.show();
        QApplication::processEvents();
        return courses.grab().save(args[2]) ? 0 : 1;
    }
    NoSaveDialog saveDialog;
    marbelo::MainWindow window(dir, messages, saveDialog);
    window.show();
    window.firstRunTimer()->stop();
    QApplication::processEvents();

    // Optionally pick a framework topic and a detailed topic, as a user would.
    if (args.size() > 3) {
        auto *list = window.topicLibrary().list();
        list->setCurrentRow(args[3].toInt());
        emit list->clicked(list->currentIndex());
    }
    if (args.size() > 4) {
        auto *tree = window.topicLibrary().tree();
        tree->expandAll();
        const QList<QTreeWidgetItem *> items = tree->flatItems();
        const int index = args[4].toInt();
        if (index >= 0 && index < items.size()) {
            tree->setCurrentItem(items[index]);
            emit tree->clicked(tree->currentIndex());
        }
    }
    QApplication::processEvents();
    if (!window.grab().save(args[2])) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(args[2]));
        return 1;
    }
    return 0;
}
