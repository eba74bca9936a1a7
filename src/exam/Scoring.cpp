#include "exam/Scoring.h"

namespace marbelo::exam {

bool scoreLetters(const QList<KeyQuestion> &key, const QString &letters, int *points, QString *error)
{
    QString marks = letters;
    marks.remove(u' ');
    if (marks.size() != key.size()) {
        *error = QStringLiteral("Wpisano %1 znaków, a test ma %2 pytań.").arg(marks.size()).arg(key.size());
        return false;
    }
    int sum = 0;
    for (qsizetype i = 0; i < marks.size(); ++i) {
        const QChar mark = marks[i].toUpper();
        if (mark == u'-' || mark == u'.' || mark == u'X')
            continue;
        const int index = mark.unicode() - u'A';
        if (index < 0 || index >= key[i].answers) {
            *error = QStringLiteral("Pytanie %1: znak „%2” nie jest odpowiedzią z arkusza.").arg(i + 1).arg(marks[i]);
            return false;
        }
        if (index == key[i].right)
            ++sum;
    }
    *points = sum;
    return true;
}

} // namespace marbelo::exam
