// marbelo-tool: command-line access to the data files, through the same code
// as the program. Prints UTF-8, one record a line, fields separated by TABs.

#include "Console.h"
#include "Tool.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <functional>
#include <map>
#include <memory>

namespace tool {

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

int fail(const QString &message)
{
    err() << "marbelo-tool: " << message << Qt::endl;
    return kFailed;
}

int usage(const QString &message)
{
    err() << "marbelo-tool: " << message << Qt::endl
          << "usage:\n"
             "  marbelo-tool library build SOURCE OUT.mdl\n"
             "  marbelo-tool library dump FILE.mdl\n"
             "  marbelo-tool library list DATADIR\n"
             "  marbelo-tool library import OUT.mdl TITLE FILE...\n"
             "  marbelo-tool front build OUT.fdl JPEG...\n"
             "  marbelo-tool extract FILE DIR\n"
             "  marbelo-tool trainings DATADIR\n"
             "  marbelo-tool outline DATADIR NUMBER\n"
             "  marbelo-tool compose DATADIR NUMBER OUT.pnn\n"
             "  marbelo-tool export DATADIR NUMBER FOLDER/NAME.pnn\n"
             "  marbelo-tool pdf DATADIR NUMBER OUT.pdf [--handouts]\n"
             "  marbelo-tool blocks FILE\n"
             "  marbelo-tool programme DATADIR NUMBER [OUT.pdf]\n"
             "  marbelo-tool programme DATADIR NUMBER [--set NUMBERING=THEORY[+EXERCISES]|-...] [--form FORM]\n"
             "  marbelo-tool courses DATADIR\n"
             "  marbelo-tool course add DATADIR TRAINING --from RRRR-MM-DD --to RRRR-MM-DD --place PLACE"
             " [--trainer NAME]\n"
             "  marbelo-tool course set DATADIR COURSE [--from D] [--to D] [--place P] [--trainer T]\n"
             "  marbelo-tool participant set DATADIR COURSE PARTICIPANT [--first-name N] [--surname S]"
             " [--birth-date D] [--birth-place P] [--position P]\n"
             "  marbelo-tool organiser DATADIR [--name N --address A --place P] [--format F] [--restart-yearly]\n"
             "                           [--logo FILE.png|FILE.jpg | --no-logo] [--phone T] [--email E]\n"
             "  marbelo-tool participants DATADIR COURSE [--import FILE.csv] [--pass-all]\n"
             "  marbelo-tool register DATADIR [OUT.csv|OUT.pdf] | DATADIR --cancel NUMBER --reason TEXT\n"
             "  marbelo-tool certificates DATADIR COURSE OUT.pdf [--issue [--date RRRR-MM-DD]]\n"
             "  marbelo-tool attendance DATADIR COURSE OUT.pdf\n"
             "  marbelo-tool employers DATADIR\n"
             "  marbelo-tool renewals DATADIR [--months N] [--as-of RRRR-MM-DD] [OUT.csv|OUT.pdf]\n"
             "  marbelo-tool database DATADIR\n"
             "  marbelo-tool database use DATADIR postgresql://USER@HOST:PORT/DB|file\n"
             "  marbelo-tool database copy DATADIR --to postgresql://USER@HOST:PORT/DB | --from URL\n"
             "  marbelo-tool questions import|export DATADIR FILE.gift\n"
             "  marbelo-tool exam DATADIR COURSE [--draw QUESTIONS [--variants V] [--seed S]] [--pass-mark P]"
             " [--commission \"A;B;C\"]\n"
             "      [--answers FILE] [--sheets OUT.pdf] [--key OUT.pdf|-] [--protocol OUT.pdf] [--results]\n"
             "  marbelo-tool scorm DATADIR NUMBER OUT.zip [--questions N] [--pass-mark P]\n"
          << Qt::flush;
    return kUsage;
}

QString hexReference(quint32 reference)
{
    return QStringLiteral("0x%1").arg(reference, 8, 16, QLatin1Char('0')).toUpper().replace(
        QStringLiteral("0X"), QStringLiteral("0x"));
}

} // namespace tool

int main(int argc, char *argv[])
{
    tool::useBinaryOutput();
    const QStringList raw = tool::commandArguments(argc, argv);
    std::unique_ptr<QCoreApplication> app;
    if (tool::needsGuiApplication(raw) || tool::courseCommandDraws(raw)
        || tool::examNeedsGuiApplication(raw)) {
        // Drawing needs no screen.
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    const QStringList args = QCoreApplication::arguments().mid(1);

    using Command = std::function<int(const QStringList &)>;
    const std::map<QString, Command> commands = {
        {QStringLiteral("library build"), tool::libraryBuild},
        {QStringLiteral("library dump"), tool::libraryDump},
        {QStringLiteral("library list"), tool::libraryList},
        {QStringLiteral("library import"), tool::libraryImport},
        {QStringLiteral("front build"), tool::frontBuild},
        {QStringLiteral("extract"), tool::extract},
        {QStringLiteral("trainings"), tool::trainings},
        {QStringLiteral("outline"), tool::outline},
        {QStringLiteral("compose"), tool::compose},
        {QStringLiteral("export"), tool::exportFolder},
        {QStringLiteral("pdf"), tool::pdf},
        {QStringLiteral("blocks"), tool::blocks},
        {QStringLiteral("programme"), tool::programme},
        {QStringLiteral("courses"), tool::courses},
        {QStringLiteral("course add"), tool::courseAdd},
        {QStringLiteral("course set"), tool::courseSet},
        {QStringLiteral("participant set"), tool::participantSet},
        {QStringLiteral("organiser"), tool::organiser},
        {QStringLiteral("participants"), tool::participants},
        {QStringLiteral("register"), tool::registerCommand},
        {QStringLiteral("certificates"), tool::certificates},
        {QStringLiteral("attendance"), tool::attendance},
        {QStringLiteral("employers"), tool::employers},
        {QStringLiteral("renewals"), tool::renewals},
        {QStringLiteral("database"), tool::databaseShow},
        {QStringLiteral("database use"), tool::databaseUse},
        {QStringLiteral("database copy"), tool::databaseCopy},
        {QStringLiteral("questions"), tool::questions},
        {QStringLiteral("exam"), tool::exam},
        {QStringLiteral("scorm"), tool::scorm},
    };
    // Commands are one or two words long.
    for (int words = 2; words >= 1; --words) {
        if (args.size() < words)
            continue;
        const auto it = commands.find(args.mid(0, words).join(QLatin1Char(' ')));
        if (it != commands.end()) {
            const int result = it->second(args.mid(words));
            tool::out().flush();
            return result;
        }
    }
    return tool::usage(args.isEmpty() ? QStringLiteral("no command")
                                      : QStringLiteral("unknown command: ") + args.join(QLatin1Char(' ')));
}
