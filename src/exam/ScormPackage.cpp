#include "exam/ScormPackage.h"

#include "exam/CourseTopics.h"
#include "exam/Draw.h"
#include "exam/QuestionBank.h"
#include "presentation/BrowserPage.h"
#include "presentation/Compose.h"
#include "presentation/DecodedSlides.h"
#include "store/DataFiles.h"
#include "store/WholeFile.h"
#include "store/ZipWriter.h"
#include "store/components/Coding.h"
#include "store/components/JpegDecoder.h"
#include "trainings/OutlineTree.h"
#include "trainings/Programme.h"

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>

// The page's additions are compiled into the core library, which is linked
// statically: its resources must be registered by name.
static void registerScormResources()
{
    Q_INIT_RESOURCE(scorm);
}

namespace marbelo::exam {

namespace {

const QString kSlideFolder = QStringLiteral("slajdy");
const QString kPageName = QStringLiteral("index.html");

// XML 1.0 holds no control characters but tab and line breaks.
QString xmlText(QString text)
{
    for (QChar &c : text)
        if (c.unicode() < 0x20)
            c = QLatin1Char(' ');
    return text.toHtmlEscaped();
}

// The decoded slides of the composition, each written into the zip as it
// comes: one slide in memory at a time.
class ZipSlides : public ComposedSlides
{
public:
    explicit ZipSlides(ZipWriter &zip) : m_zip(zip) {}

    bool add(QByteArray &coded, QString *error) override
    {
        ++m_count;
        BCodeCopy(coded.constData(), coded.data(), coded.size(), 0);
        if (!isDecodableJpegSize(jpegImageSize(coded))) {
            *error = QStringLiteral("slajd %1 nie jest poprawnym obrazem JPEG").arg(m_count);
            return false;
        }
        const QString name = kSlideFolder + QLatin1Char('/') + decodedSlideName(QString(), m_count);
        if (!m_zip.add(name, coded, ZipWriter::Method::Store)) {
            m_writeFailed = true;
            *error = QStringLiteral("nie można zapisać slajdu %1").arg(m_count);
            return false;
        }
        m_names << name;
        m_bytes += coded.size();
        return true;
    }
    int count() const { return m_count; }
    qint64 bytes() const { return m_bytes; }
    bool writeFailed() const { return m_writeFailed; }
    const QStringList &names() const { return m_names; }

private:
    ZipWriter &m_zip;
    int m_count = 0;
    qint64 m_bytes = 0;
    bool m_writeFailed = false;
    QStringList m_names;
};

// The questions of the self-check test: drawn, as the exam's test is, from
// the bank's questions of the topics the outline uses, in shares of their
// planned hours.
bool drawQuestions(db::Database &database, const OutlineTree &tree, const ScormOptions &options,
                   std::vector<Question> *drawn, QString *error)
{
    const std::vector<UsedTopic> used = topicsOfOutline(tree, libraryTopics(options.libraryDirs));
    QString why;
    const std::vector<BankQuestion> bank = listQuestions(database, {}, &why);
    if (!why.isEmpty()) {
        *error = why;
        return false;
    }
    QHash<QString, std::size_t> topicIndex;
    std::vector<DrawTopic> topics;
    for (const UsedTopic &topic : used) {
        topicIndex.insert(topic.title, topics.size());
        topics.push_back({topic.quarters, {}});
    }
    QHash<qint64, const Question *> byId;
    for (const BankQuestion &q : bank) {
        const auto found = topicIndex.constFind(q.question.topic);
        if (found == topicIndex.cend())
            continue;
        topics[*found].questions.append({q.id, int(q.question.answers.size())});
        byId.insert(q.id, &q.question);
    }
    const std::uint64_t number =
        options.drawNumber != 0 ? options.drawNumber : QRandomGenerator::global()->generate64();
    std::vector<Variant> variants;
    if (!drawTest(topics, options.questions, 1, number, &variants, error))
        return false;
    for (const VariantQuestion &q : variants.front())
        drawn->push_back(*byId.value(q.question));
    return true;
}

// What the page shows besides the slides, as the script's data.
QByteArray courseData(const OutlineTree &tree, const std::vector<ScormTocEntry> &toc,
                      const std::vector<Question> &questions, int passMark)
{
    QJsonArray contents;
    for (const ScormTocEntry &entry : toc)
        contents.append(QJsonObject{{QStringLiteral("level"), entry.level},
                                    {QStringLiteral("name"), entry.name},
                                    {QStringLiteral("slide"), entry.slide}});
    QJsonArray programme;
    for (const ProgrammeRow &row : programmeRows(tree))
        programme.append(QJsonObject{
            {QStringLiteral("number"), row.number},
            {QStringLiteral("level"), row.level},
            {QStringLiteral("name"), row.name},
            {QStringLiteral("hours"), hoursShown(row) ? hoursText(row.hours.total(), QLatin1Char(',')) : QString()}});
    QJsonArray test;
    for (const Question &q : questions)
        test.append(QJsonObject{{QStringLiteral("text"), q.text},
                                {QStringLiteral("answers"), QJsonArray::fromStringList(q.answers)},
                                {QStringLiteral("right"), q.right}});
    const QJsonObject data{{QStringLiteral("toc"), contents},
                           {QStringLiteral("programme"), programme},
                           {QStringLiteral("total"), hoursText(programmeTotal(tree).total(), QLatin1Char(','))},
                           {QStringLiteral("questions"), test},
                           {QStringLiteral("passMark"), passMark}};
    // No "<" inside the script's text, so no name can end the script.
    return QJsonDocument(data).toJson(QJsonDocument::Compact).replace("<", "\\u003c");
}

// The browser player's page with the package's additions put into it: its style
// into the head, its panels and script at the end of the body.
QByteArray scormPage(const QString &title, int slides, const QByteArray &data)
{
    static const bool registered = (registerScormResources(), true);
    Q_UNUSED(registered);
    QByteArray page = browserPage(title, kSlideFolder, slides);
    QFile file(QStringLiteral(":/scorm/course.html"));
    if (page.isEmpty() || !file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray extra = file.readAll();
    const qsizetype split = extra.indexOf("<!--BODY-->");
    const qsizetype head = page.indexOf("</head>");
    if (split < 0 || head < 0)
        return {};
    page.insert(head, extra.left(split));
    const qsizetype body = page.lastIndexOf("</body>");
    if (body < 0)
        return {};
    QByteArray script = extra.mid(split + 11);
    script.replace("@COURSE@", data);
    page.insert(body, script);
    return page;
}

} // namespace

std::vector<ScormTocEntry> scormContents(const OutlineTree &tree, bool frontPage, int slides)
{
    std::vector<ScormTocEntry> toc;
    if (slides <= 0)
        return toc;
    int next = frontPage ? 1 : 0;
    for (const OutlineNode node : tree.preorder()) {
        const ItemReference reference = tree.reference(node);
        if (hasSlide(reference))
            ++next;
        else
            toc.push_back({tree.level(node), tree.name(node), std::min(next, slides - 1)});
    }
    return toc;
}

QByteArray scormManifest(int trainingNumber, const QString &title, int passMark, const QStringList &files)
{
    QString xml = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<manifest identifier=\"MARBELO_SZKOLENIE_%1\" version=\"1.0\"\n"
        "          xmlns=\"http://www.imsproject.org/xsd/imscp_rootv1p1p2\"\n"
        "          xmlns:adlcp=\"http://www.adlnet.org/xsd/adlcp_rootv1p2\">\n"
        "  <metadata>\n"
        "    <schema>ADL SCORM</schema>\n"
        "    <schemaversion>1.2</schemaversion>\n"
        "  </metadata>\n"
        "  <organizations default=\"ORGANIZACJA\">\n"
        "    <organization identifier=\"ORGANIZACJA\">\n"
        "      <title>%2</title>\n"
        "      <item identifier=\"SZKOLENIE\" identifierref=\"SCO\" isvisible=\"true\">\n"
        "        <title>%2</title>\n"
        "        <adlcp:masteryscore>%3</adlcp:masteryscore>\n"
        "      </item>\n"
        "    </organization>\n"
        "  </organizations>\n"
        "  <resources>\n"
        "    <resource identifier=\"SCO\" type=\"webcontent\" adlcp:scormtype=\"sco\" href=\"%4\">\n")
                      .arg(trainingNumber)
                      .arg(xmlText(title))
                      .arg(passMark)
                      .arg(kPageName);
    for (const QString &file : files)
        xml += QStringLiteral("      <file href=\"%1\"/>\n").arg(xmlText(file));
    xml += QStringLiteral("    </resource>\n  </resources>\n</manifest>\n");
    return xml.toUtf8();
}

ScormResult writeScormPackage(const QString &dataDir, int trainingNumber, const OutlineTree &tree,
                              db::Database &database, const ScormOptions &options, const QString &outPath)
{
    ScormResult result;
    if (options.questions < 1 || options.questions > kMaxSelfCheckQuestions || options.passMark < 1
        || options.passMark > 100) {
        result.error = QStringLiteral("liczba pytań musi wynosić od 1 do %1, a próg zaliczenia od 1 do 100%")
                           .arg(kMaxSelfCheckQuestions);
        return result;
    }
    std::vector<Question> questions;
    if (!drawQuestions(database, tree, options, &questions, &result.error))
        return result;
    // The presentation file is composed into a work folder of this run; the
    // slides go from it into the package.
    const QTemporaryDir work;
    if (!work.isValid()) {
        result.error = QStringLiteral("nie można utworzyć folderu roboczego");
        return result;
    }
    TrainingRecord training;
    bool refused = false;
    const auto content = [&](QFileDevice &file, QString *givenRefusal) {
        // A refusal is the contents' own failure; without one, the file's.
        const auto refuse = [&](const QString &why) {
            *givenRefusal = why;
            refused = true;
            return false;
        };
        ZipWriter zip(file);
        ZipSlides slides(zip);
        const ComposeResult composed =
            composePresentation(dataDir, trainingNumber, tree.references(), &training,
                                work.filePath(QStringLiteral("pakiet.pnn")), options.frontPagePath, &slides);
        // A slide the zip did not take is the file's failure, told by the writer.
        if (!composed.ok)
            return slides.writeFailed() ? false : refuse(composed.error);
        if (slides.count() == 0)
            return refuse(QStringLiteral("prezentacja szkolenia nie ma slajdów"));
        const std::vector<ScormTocEntry> toc = scormContents(tree, composed.frontPage, slides.count());
        const QByteArray page =
            scormPage(training.name, slides.count(), courseData(tree, toc, questions, options.passMark));
        if (page.isEmpty())
            return refuse(QStringLiteral("brak szablonu strony pakietu"));
        const QStringList files = QStringList{kPageName} + slides.names();
        if (!zip.add(kPageName, page, ZipWriter::Method::Deflate)
            || !zip.add(QStringLiteral("imsmanifest.xml"),
                        scormManifest(trainingNumber, training.name, options.passMark, files),
                        ZipWriter::Method::Deflate)
            || !zip.finish())
            return false;
        result.slides = slides.count();
        result.slideBytes = slides.bytes();
        result.bytes = zip.written();
        return true;
    };
    QString error;
    if (!writeWholeFile(outPath, content, &error)) {
        result.fileFailed = !refused;
        result.error = error;
        result.slides = 0;
        return result;
    }
    result.ok = true;
    result.questions = int(questions.size());
    return result;
}

QString scormTargetRefusal(const QString &taken)
{
    return QStringLiteral("Nie można zapisać pakietu e-learningowego pod nazwą %1, ponieważ tego pliku używa "
                          "program. Wybierz inną nazwę pliku lub inny folder.")
        .arg(taken);
}

QString scormMessage(const ScormResult &result)
{
    if (result.ok)
        return QStringLiteral("Pakiet e-learningowy został poprawnie zapisany.");
    if (result.fileFailed)
        return QStringLiteral("Nie udało się zapisać pakietu e-learningowego. ") + result.error;
    // The draw's reasons end with their own full stop.
    const QString why = result.error.endsWith(QLatin1Char('.')) ? result.error : result.error + QLatin1Char('.');
    return QStringLiteral("Nie udało się utworzyć pakietu e-learningowego: ") + why;
}

} // namespace marbelo::exam
