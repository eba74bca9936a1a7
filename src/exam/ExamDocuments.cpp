#include "exam/ExamDocuments.h"

#include "courses/Organiser.h"
#include "courses/Participants.h"
#include "courses/Results.h"
#include "documents/PdfDocument.h"
#include "exam/Draw.h"
#include "exam/Question.h"

#include <QDir>

namespace marbelo::exam {

namespace {

QString dayText(const QDate &date)
{
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

QString courseLine(const ExamDocumentData &data)
{
    return QStringLiteral("Kurs nr %1, %2").arg(data.course.id).arg(data.course.place);
}

const ExamResult *resultOf(const ExamDocumentData &data, qint64 participant)
{
    for (const ExamResult &result : data.results)
        if (result.participant == participant)
            return &result;
    return nullptr;
}

} // namespace

QByteArray sheetsPdf(const ExamDocumentData &data)
{
    PdfDocument document(QStringLiteral("Test egzaminacyjny"));
    for (std::size_t v = 0; v < data.test.variants.size(); ++v) {
        if (v > 0)
            document.pageBreak();
        document.title({QStringLiteral("Test egzaminacyjny – wariant %1").arg(variantLetter(int(v))), data.trainingName,
                        courseLine(data) + QStringLiteral(", ") + dayText(data.examDate())});
        document.paragraph(QStringLiteral("Imię i nazwisko: ..................................................  "
                                          "Wariant: %1")
                               .arg(variantLetter(int(v))));
        document.paragraph(QStringLiteral("W każdym pytaniu jedna odpowiedź jest prawidłowa: zaznacz ją krzyżykiem."));
        int number = 1;
        for (const SheetQuestion &question : data.test.variants[v]) {
            document.paragraph(QStringLiteral("%1. %2").arg(number++).arg(question.text), true);
            QStringList lines;
            for (qsizetype k = 0; k < question.answers.size(); ++k)
                lines << QStringLiteral("    \u2610 %1. %2").arg(answerLetter(int(k))).arg(question.answers[k]);
            document.paragraph(lines.join(u'\n'));
        }
    }
    return document.finish();
}

QString answerKeyTsv(const ExamTest &test)
{
    QString text;
    for (std::size_t v = 0; v < test.variants.size(); ++v)
        for (std::size_t i = 0; i < test.variants[v].size(); ++i)
            text += QStringLiteral("%1\t%2\t%3\n")
                        .arg(variantLetter(int(v)))
                        .arg(i + 1)
                        .arg(answerLetter(test.variants[v][i].right));
    return text;
}

QByteArray answerKeyPdf(const ExamDocumentData &data)
{
    PdfDocument document(QStringLiteral("Klucz odpowiedzi"));
    document.title({QStringLiteral("Klucz odpowiedzi"), data.trainingName,
                    courseLine(data) + QStringLiteral(", ") + dayText(data.examDate())});
    std::vector<DocumentRow> rows;
    for (const QString &line : answerKeyTsv(data.test).split(u'\n', Qt::SkipEmptyParts))
        rows.push_back({line.split(u'\t')});
    document.table({{QStringLiteral("Wariant"), 1}, {QStringLiteral("Pytanie"), 1, true}, {QStringLiteral("Odpowiedź"), 1}},
                   rows);
    return document.finish();
}

QByteArray protocolPdf(const ExamDocumentData &data)
{
    PdfDocument document(QStringLiteral("Protokół egzaminu"));
    document.letterhead(data.letterhead);
    document.title({QStringLiteral("Protokół egzaminu"), data.trainingName, courseLine(data)});
    document.paragraph(QStringLiteral("Szkolenie w dniach %1–%2, forma szkolenia: %3.")
                           .arg(dayText(data.course.from), dayText(data.course.to), data.course.form));
    document.paragraph(QStringLiteral("Data egzaminu: %1").arg(dayText(data.examDate())));
    const int questions = data.test.questionCount();
    document.paragraph(QStringLiteral("Forma egzaminu: test pisemny, %1 pytań jednokrotnego wyboru, wariantów: %2. "
                                      "Próg zaliczenia: %3% pytań.")
                           .arg(questions)
                           .arg(data.test.variants.size())
                           .arg(data.settings.passMark));
    document.paragraph(QStringLiteral("Komisja egzaminacyjna:"), true);
    QStringList members;
    for (qsizetype i = 0; i < data.settings.commission.size(); ++i)
        members << QStringLiteral("%1. %2%3").arg(i + 1).arg(data.settings.commission[i],
                                                           i == 0 ? QStringLiteral(" – przewodniczący") : QString());
    document.paragraph(members.isEmpty() ? QStringLiteral("(nie wpisano)") : members.join(u'\n'));

    std::vector<DocumentRow> rows;
    int sat = 0;
    int passed = 0;
    int number = 1;
    for (const Participant &p : data.participants) {
        const ExamResult *result = resultOf(data, p.id);
        QStringList cells{QString::number(number++), p.surname + u' ' + p.firstName};
        if (result) {
            ++sat;
            passed += result->passed ? 1 : 0;
            cells << (result->variant >= 0 ? QString(variantLetter(result->variant)) : QStringLiteral("–"))
                  << QStringLiteral("%1/%2").arg(result->points).arg(questions)
                  << QStringLiteral("%1%").arg(percentOf(result->points, questions))
                  << (result->passed ? QStringLiteral("zdał(a)") : QStringLiteral("nie zdał(a)"));
        } else {
            cells << QStringLiteral("–") << QStringLiteral("–") << QStringLiteral("–")
                  << QStringLiteral("nie przystąpił(a)");
        }
        rows.push_back({cells});
    }
    document.table({{QStringLiteral("Lp."), 1, true, ColumnFit::OneLine},
                    {QStringLiteral("Nazwisko i imię"), 6, false, ColumnFit::Whole},
                    {QStringLiteral("Wariant"), 2},
                    {QStringLiteral("Punkty"), 2, true, ColumnFit::OneLine},
                    {QStringLiteral("Wynik"), 2, true, ColumnFit::OneLine},
                    {QStringLiteral("Ocena"), 3}},
                   rows);
    document.paragraph(QStringLiteral("Do egzaminu przystąpiło: %1, zdało: %2, nie zdało: %3.")
                           .arg(sat)
                           .arg(passed)
                           .arg(sat - passed));
    document.paragraph(QStringLiteral("Podpisy członków komisji:"), true);
    for (const QString &member : data.settings.commission)
        document.paragraph(QStringLiteral("\n..............................................   %1").arg(member));
    if (data.settings.commission.isEmpty())
        for (int i = 0; i < 3; ++i)
            document.paragraph(QStringLiteral("\n.............................................."));
    return document.finish();
}

ExamDocumentData examDocumentData(db::Database &database, const Course &course, const QString &trainingName,
                                  QString *error)
{
    QString why;
    ExamDocumentData data{course,
                          trainingName,
                          examSettings(database, course.id, &why),
                          examTest(database, course.id, &why),
                          listParticipants(database, course.id, &why),
                          examResults(database, course.id, &why),
                          readLetterhead(database)};
    if (error)
        *error = why;
    return data;
}

bool saveExamDocument(ExamDocument kind, const ExamDocumentData &data, const QString &path, QString *error)
{
    if (data.test.variants.empty()) {
        *error = QStringLiteral("Dla kursu nr %1 nie przygotowano jeszcze testu.").arg(data.course.id);
        return false;
    }
    const QByteArray pdf = kind == ExamDocument::Sheets ? sheetsPdf(data)
                         : kind == ExamDocument::Key    ? answerKeyPdf(data)
                                                        : protocolPdf(data);
    return writeDocument(path, pdf, error);
}

} // namespace marbelo::exam
