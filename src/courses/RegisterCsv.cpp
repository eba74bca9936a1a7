#include "courses/RegisterCsv.h"

#include "store/WholeFile.h"

#include <QStringList>

namespace marbelo {

namespace {

QString csvField(const QString &text)
{
    if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n'))
        && !text.contains(QLatin1Char('\r')))
        return text;
    return QLatin1Char('"') + QString(text).replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

} // namespace

QString csvLine(const QStringList &fields)
{
    QStringList quoted;
    for (const QString &field : fields)
        quoted << csvField(field);
    return quoted.join(QLatin1Char(';')) + QStringLiteral("\r\n");
}

QByteArray registerCsv(const std::vector<RegisterEntry> &entries, const TrainingNames &trainingName)
{
    QString text = QStringLiteral("\uFEFFNumer;Uczestnik;Kurs;Szkolenie;Data wydania;Stan;Powód anulowania\r\n");
    for (const RegisterEntry &e : entries) {
        const QStringList fields = {e.number,
                                    e.participantName,
                                    QString::number(e.course),
                                    trainingName(e.training),
                                    e.issued.toString(QStringLiteral("dd.MM.yyyy")),
                                    e.cancelled ? QStringLiteral("anulowane") : QStringLiteral("wydane"),
                                    e.cancelReason};
        text += csvLine(fields);
    }
    return text.toUtf8();
}

bool saveRegisterCsv(const QString &path, const std::vector<RegisterEntry> &entries,
                     const TrainingNames &trainingName, QString *error)
{
    return writeWholeFile(path, registerCsv(entries, trainingName), error);
}

} // namespace marbelo
