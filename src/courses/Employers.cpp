#include "courses/Employers.h"

#include "common/PolishOrder.h"
#include "store/db/Database.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>

namespace marbelo {

namespace {

QVariantList employerValues(const Employer &e)
{
    return {db::text(e.name), db::text(e.address), db::text(nipDigits(e.nip)), db::text(e.contact), db::text(e.email),
            db::text(e.phone)};
}

Employer employerFrom(const QSqlQuery &q)
{
    Employer e;
    e.id = q.value(0).toLongLong();
    e.name = q.value(1).toString();
    e.address = q.value(2).toString();
    e.nip = q.value(3).toString();
    e.contact = q.value(4).toString();
    e.email = q.value(5).toString();
    e.phone = q.value(6).toString();
    e.participants = q.value(7).toInt();
    e.courses = q.value(8).toInt();
    return e;
}

const QString kEmployerColumns = QStringLiteral(
    "e.id, e.name, e.address, e.nip, e.contact, e.email, e.phone,"
    " (SELECT COUNT(*) FROM participant p WHERE p.employer = e.id),"
    " (SELECT COUNT(*) FROM course c WHERE c.employer = e.id) FROM employer e");

// The employer of that NIP (the digits), other than except; 0 for none.
bool employerWithNip(QSqlQuery &q, const QString &digits, qint64 except, qint64 *id)
{
    *id = 0;
    if (!db::run(q, QStringLiteral("SELECT id FROM employer WHERE nip = ? AND id <> ?"), {digits, except}))
        return false;
    if (q.next())
        *id = q.value(0).toLongLong();
    return true;
}

QString nipTakenBy(QSqlQuery &q, qint64 other)
{
    if (db::run(q, QStringLiteral("SELECT name FROM employer WHERE id = ?"), {other}) && q.next())
        return QStringLiteral("Pracodawca o tym NIP już jest w bazie: %1.").arg(q.value(0).toString());
    return QStringLiteral("Pracodawca o tym NIP już jest w bazie.");
}

} // namespace

QString nipDigits(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^(?:PL)? ?[0-9][0-9 -]*[0-9]$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QString trimmed = text.trimmed();
    if (!form.match(trimmed).hasMatch())
        return QString();
    QString digits;
    for (const QChar c : trimmed)
        if (c.isDigit() && c.unicode() < 128)
            digits += c;
    return digits.size() == 10 ? digits : QString();
}

bool nipCheckDigitValid(const QString &digits)
{
    static const int weights[9] = {6, 5, 7, 2, 3, 4, 5, 6, 7};
    if (digits.size() != 10)
        return false;
    int sum = 0;
    for (int i = 0; i < 9; ++i)
        sum += weights[i] * digits[i].digitValue();
    return sum % 11 == digits[9].digitValue();
}

QString nipProblem(const QString &text)
{
    if (text.trimmed().isEmpty())
        return QString();
    const QString digits = nipDigits(text);
    if (digits.isEmpty())
        return QStringLiteral("NIP „%1” nie ma 10 cyfr.").arg(text.trimmed());
    if (!nipCheckDigitValid(digits))
        return QStringLiteral("NIP „%1” ma błędną cyfrę kontrolną.").arg(text.trimmed());
    return QString();
}

QString employerProblem(const Employer &employer, EmployerField *field)
{
    const auto at = [field](EmployerField f, const QString &problem) {
        if (field)
            *field = f;
        return problem;
    };
    for (const QString *text : {&employer.name, &employer.address, &employer.nip, &employer.contact,
                                &employer.email, &employer.phone})
        for (const QChar c : *text)
            if (c.category() == QChar::Other_Control && c != QLatin1Char('\n'))
                return at(EmployerField::None, QStringLiteral("Dane pracodawcy nie mogą zawierać znaków sterujących."));
    if (employer.name.trimmed().isEmpty() || employer.name.contains(QLatin1Char('\n')))
        return at(EmployerField::Name, QStringLiteral("Podaj nazwę pracodawcy (w jednym wierszu)."));
    if (const QString problem = nipProblem(employer.nip); !problem.isEmpty())
        return at(EmployerField::Nip, problem);
    static const QRegularExpression mail(QStringLiteral("^[^@\\s]+@[^@\\s]+\\.[^@\\s]+$"));
    if (!employer.email.trimmed().isEmpty() && !mail.match(employer.email.trimmed()).hasMatch())
        return at(EmployerField::Email,
                  QStringLiteral("Adres e-mail „%1” jest niepoprawny.").arg(employer.email.trimmed()));
    return at(EmployerField::None, QString());
}

std::vector<Employer> listEmployers(db::Database &database, QString *error)
{
    std::vector<Employer> list;
    QSqlQuery q = database.query();
    if (!database.read(q, QStringLiteral("SELECT ") + kEmployerColumns + QStringLiteral(" ORDER BY e.id"), {}, error))
        return list;
    while (q.next())
        list.push_back(employerFrom(q));
    std::stable_sort(list.begin(), list.end(),
                     [](const Employer &a, const Employer &b) { return polishLess(a.name, b.name); });
    return list;
}

bool readEmployer(db::Database &database, qint64 id, Employer *employer, QString *error)
{
    QSqlQuery q = database.query();
    if (!database.read(q, QStringLiteral("SELECT ") + kEmployerColumns + QStringLiteral(" WHERE e.id = ?"), {id},
                       error))
        return false;
    if (!q.next()) {
        if (error)
            *error = QStringLiteral("Nie ma pracodawcy nr %1.").arg(id);
        return false;
    }
    *employer = employerFrom(q);
    return true;
}

std::optional<qint64> addEmployer(db::Database &database, const Employer &employer, QString *error)
{
    if (const QString problem = employerProblem(employer); !problem.isEmpty()) {
        *error = problem;
        return std::nullopt;
    }
    qint64 id = 0;
    const bool ok = database.write(
        [&](QSqlQuery &q, QString *refusal) {
            const QString digits = nipDigits(employer.nip);
            qint64 other = 0;
            if (!digits.isEmpty() && !employerWithNip(q, digits, 0, &other))
                return false;
            if (other > 0) {
                *refusal = nipTakenBy(q, other);
                return false;
            }
            QVariantList values = employerValues(employer);
            values.prepend(employer.id);
            if (!db::insertRow(q,
                               db::withOwnId(employer.id > 0,
                                             QStringLiteral("INSERT INTO employer (id, name, address, nip, contact,"
                                                            " email, phone) VALUES (?, ?, ?, ?, ?, ?, ?)"),
                                             &values),
                               values, &id))
                return false;
            return true;
        },
        error);
    return ok ? std::optional<qint64>(id) : std::nullopt;
}

bool updateEmployer(db::Database &database, const Employer &employer, QString *error)
{
    if (const QString problem = employerProblem(employer); !problem.isEmpty()) {
        *error = problem;
        return false;
    }
    return database.write(
        [&](QSqlQuery &q, QString *refusal) {
            const QString digits = nipDigits(employer.nip);
            qint64 other = 0;
            if (!digits.isEmpty() && !employerWithNip(q, digits, employer.id, &other))
                return false;
            if (other > 0) {
                *refusal = nipTakenBy(q, other);
                return false;
            }
            QVariantList values = employerValues(employer);
            values.append(employer.id);
            return db::runOnOneRow(q,
                                   QStringLiteral("UPDATE employer SET name = ?, address = ?, nip = ?, contact = ?,"
                                                  " email = ?, phone = ? WHERE id = ?"),
                                   values, QStringLiteral("Nie ma pracodawcy nr %1.").arg(employer.id), refusal);
        },
        error);
}

bool removeEmployers(db::Database &database, const std::vector<qint64> &ids, QString *error, db::RowSnapshot *removed)
{
    return database.write(
        [&](QSqlQuery &q, QString *refusal) {
            QVariantList keys;
            for (qint64 id : ids) {
                if (!db::run(q,
                             QStringLiteral("SELECT e.name, (SELECT COUNT(*) FROM participant p WHERE p.employer = e.id),"
                                            " (SELECT COUNT(*) FROM course c WHERE c.employer = e.id)"
                                            " FROM employer e WHERE e.id = ?"),
                             {id}))
                    return false;
                if (!q.next()) {
                    *refusal = QStringLiteral("Nie ma pracodawcy nr %1.").arg(id);
                    return false;
                }
                if (q.value(1).toInt() > 0 || q.value(2).toInt() > 0) {
                    *refusal = QStringLiteral("Pracodawcy „%1” nie można usunąć: należą do niego uczestnicy (%2)"
                                              " i kursy (%3).")
                                   .arg(q.value(0).toString())
                                   .arg(q.value(1).toInt())
                                   .arg(q.value(2).toInt());
                    return false;
                }
                keys << id;
            }
            if (removed && !db::snapshotRows(q, QStringLiteral("employer"), QStringLiteral("id"), keys, removed))
                return false;
            for (qint64 id : ids)
                if (!db::run(q, QStringLiteral("DELETE FROM employer WHERE id = ?"), {id}))
                    return false;
            return true;
        },
        error);
}

bool findOrAddEmployer(QSqlQuery &q, const QString &name, const QString &nip, qint64 *id, bool *created,
                       QString *refusal)
{
    *created = false;
    *id = 0;
    if (!nip.trimmed().isEmpty()) {
        if (const QString problem = nipProblem(nip); !problem.isEmpty()) {
            *refusal = problem;
            return false;
        }
        if (!employerWithNip(q, nipDigits(nip), 0, id))
            return false;
        if (*id > 0)
            return true;
    }
    const QString wanted = name.simplified();
    if (wanted.isEmpty()) {
        *refusal = QStringLiteral("Brak nazwy pracodawcy o NIP %1.").arg(nip.trimmed());
        return false;
    }
    if (!db::run(q, QStringLiteral("SELECT id, name, nip FROM employer ORDER BY id")))
        return false;
    int matches = 0;
    while (q.next()) {
        if (q.value(1).toString().simplified().compare(wanted, Qt::CaseInsensitive) != 0)
            continue;
        // A name found under another NIP is another firm of the same name.
        if (!nip.trimmed().isEmpty() && !q.value(2).toString().isEmpty())
            continue;
        if (matches++ == 0)
            *id = q.value(0).toLongLong();
    }
    if (matches > 1) {
        *refusal = QStringLiteral("W bazie jest kilku pracodawców o nazwie „%1”: podaj NIP.").arg(wanted);
        return false;
    }
    if (*id > 0)
        return true;
    Employer added;
    added.name = wanted;
    added.nip = nip;
    if (const QString problem = employerProblem(added); !problem.isEmpty()) {
        *refusal = problem;
        return false;
    }
    if (!db::insertRow(q,
                       QStringLiteral("INSERT INTO employer (name, address, nip, contact, email, phone)"
                                      " VALUES (?, ?, ?, ?, ?, ?)"),
                       employerValues(added), id))
        return false;
    *created = true;
    return true;
}

} // namespace marbelo
