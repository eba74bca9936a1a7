// The exam's documents, drawn with the documents layer: the test sheets (a
// page or more per variant), the answer key and "Protokół egzaminu". Need a
// QGuiApplication (they draw text).
#pragma once

#include "courses/CourseTypes.h"
#include "documents/Letterhead.h"
#include "exam/ExamStore.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace marbelo::db {
class Database;
}

namespace marbelo::exam {

struct ExamDocumentData
{
    Course course;
    QString trainingName;
    ExamSettings settings;
    ExamTest test;
    std::vector<Participant> participants;
    std::vector<ExamResult> results;
    Letterhead letterhead{}; // the organiser's, at the head of the protocol

    // The exam's date: the one set, or the course's last day.
    QDate examDate() const { return settings.date.isValid() ? settings.date : course.to; }
};

QByteArray sheetsPdf(const ExamDocumentData &data);
QByteArray answerKeyPdf(const ExamDocumentData &data);
// The key as text: variant, question number, right letter; a line each.
QString answerKeyTsv(const ExamTest &test);
QByteArray protocolPdf(const ExamDocumentData &data);

// Everything the documents print for the course, read from the database;
// with a Polish message in *error when it cannot be read.
ExamDocumentData examDocumentData(db::Database &database, const Course &course, const QString &trainingName,
                                  QString *error = nullptr);

enum class ExamDocument { Sheets, Key, Protocol };
// Draws the document and saves it whole at path (the atomic save); false
// with a Polish message, the file at path as it was.
bool saveExamDocument(ExamDocument kind, const ExamDocumentData &data, const QString &path, QString *error);

} // namespace marbelo::exam
