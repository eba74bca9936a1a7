#include "exam/Gift.h"

#include <QStringDecoder>

namespace marbelo::exam {

namespace {

const QString kCategory = QStringLiteral("$CATEGORY:");

bool isSpecial(QChar c)
{
    return c == u'~' || c == u'=' || c == u'#' || c == u'{' || c == u'}' || c == u':' || c == u'\\';
}

// The position of the first unescaped c at or after from, or -1.
qsizetype findUnescaped(const QString &text, QChar c, qsizetype from = 0)
{
    for (qsizetype i = from; i < text.size(); ++i) {
        if (text[i] == u'\\')
            ++i;
        else if (text[i] == c)
            return i;
    }
    return -1;
}

qsizetype findUnescaped(const QString &text, const QString &what, qsizetype from = 0)
{
    for (qsizetype i = from; i < text.size(); ++i) {
        if (text[i] == u'\\')
            ++i;
        else if (QStringView(text).mid(i).startsWith(what))
            return i;
    }
    return -1;
}

QString unescape(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\\' && i + 1 < text.size()) {
            const QChar next = text[i + 1];
            if (isSpecial(next)) {
                out += next;
                ++i;
                continue;
            }
            if (next == u'n') {
                out += u'\n';
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out.trimmed();
}

QString escape(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        if (c == u'\n') {
            out += QStringLiteral("\\n");
            continue;
        }
        if (isSpecial(c))
            out += u'\\';
        out += c;
    }
    return out;
}

// "Topic/Detail" with "//" as a slash inside a name.
QStringList splitCategory(const QString &path)
{
    QStringList parts{QString()};
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (path[i] == u'/' && i + 1 < path.size() && path[i + 1] == u'/') {
            parts.last() += u'/';
            ++i;
        } else if (path[i] == u'/') {
            parts << QString();
        } else {
            parts.last() += path[i];
        }
    }
    for (QString &part : parts)
        part = part.trimmed();
    return parts;
}

QString categoryName(const QString &name)
{
    return QString(name).replace(u'/', QStringLiteral("//"));
}

// Drops the platform's own prefixes of a category path.
QStringList categoryParts(const QString &line)
{
    QStringList parts = splitCategory(line.mid(kCategory.size()).trimmed());
    while (!parts.isEmpty()
           && (parts.first() == QLatin1String("$course$") || parts.first() == QLatin1String("$system$")
               || parts.first() == QLatin1String("$module$") || parts.first() == QLatin1String("top")))
        parts.removeFirst();
    return parts;
}

QString stripFormatTag(const QString &text)
{
    for (const char *tag : {"[html]", "[moodle]", "[plain]", "[markdown]"}) {
        if (text.startsWith(QLatin1String(tag)))
            return text.mid(qsizetype(qstrlen(tag)));
    }
    return text;
}

class BlockReader
{
public:
    BlockReader(QString topic, QString detail) : m_topic(std::move(topic)), m_detail(std::move(detail)) {}

    // The question of one block, or a problem text.
    QString read(const QString &block, Question *question) const
    {
        QString rest = block.trimmed();
        if (rest.startsWith(QLatin1String("::"))) {
            const qsizetype end = findUnescaped(rest, QStringLiteral("::"), 2);
            if (end < 0)
                return QStringLiteral("Tytuł pytania nie ma zamykającego „::”.");
            question->title = unescape(rest.mid(2, end - 2));
            rest = rest.mid(end + 2).trimmed();
        }
        const qsizetype open = findUnescaped(rest, u'{');
        if (open < 0)
            return QStringLiteral("To nie jest pytanie, tylko opis (brak odpowiedzi w nawiasach { }).");
        const qsizetype close = findUnescaped(rest, u'}', open + 1);
        if (close < 0)
            return QStringLiteral("Brak zamykającego nawiasu „}”.");
        if (!rest.mid(close + 1).trimmed().isEmpty())
            return QStringLiteral("Pytania z luką w środku zdania nie są obsługiwane.");
        question->text = unescape(stripFormatTag(rest.left(open).trimmed()));
        const QString problem = readAnswers(rest.mid(open + 1, close - open - 1), question);
        if (!problem.isEmpty())
            return problem;
        question->topic = m_topic;
        question->detail = m_detail;
        if (m_topic.isEmpty())
            return QStringLiteral("Pytanie stoi przed pierwszą linią $CATEGORY: nie wiadomo, do którego tematu należy.");
        return questionProblem(*question);
    }

private:
    static QString readAnswers(const QString &body, Question *question)
    {
        const QString trimmed = body.trimmed();
        if (trimmed.isEmpty())
            return QStringLiteral("Pytania otwarte (esej) nie są obsługiwane.");
        if (trimmed.startsWith(u'#'))
            return QStringLiteral("Pytania liczbowe nie są obsługiwane.");
        if (!trimmed.startsWith(u'=') && !trimmed.startsWith(u'~'))
            return QStringLiteral("Pytania prawda/fałsz i inne rodzaje nie są obsługiwane.");
        int rights = 0;
        qsizetype at = 0;
        while (at < trimmed.size()) {
            const bool right = trimmed[at] == u'=';
            qsizetype next = trimmed.size();
            for (const QChar mark : {u'=', u'~'}) {
                const qsizetype found = findUnescaped(trimmed, mark, at + 1);
                if (found >= 0 && found < next)
                    next = found;
            }
            QString answer = trimmed.mid(at + 1, next - at - 1);
            if (findUnescaped(answer, QStringLiteral("->")) >= 0)
                return QStringLiteral("Pytania na dopasowanie nie są obsługiwane.");
            if (answer.trimmed().startsWith(u'%'))
                return QStringLiteral("Odpowiedzi z wagą punktów (%) nie są obsługiwane.");
            const qsizetype feedback = findUnescaped(answer, u'#');
            if (feedback >= 0)
                answer.truncate(feedback);
            if (right) {
                ++rights;
                question->right = int(question->answers.size());
            }
            question->answers << unescape(answer);
            at = next;
        }
        if (rights == 0)
            return QStringLiteral("Pytanie nie ma dobrej odpowiedzi (znak „=”).");
        if (rights == question->answers.size())
            return QStringLiteral("Pytania z krótką odpowiedzią nie są obsługiwane.");
        if (rights > 1)
            return QStringLiteral("Pytanie ma więcej niż jedną dobrą odpowiedź.");
        return {};
    }

    QString m_topic;
    QString m_detail;
};

} // namespace

GiftContents readGift(const QByteArray &bytes)
{
    GiftContents contents;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        contents.error = QStringLiteral("Plik nie jest tekstem w kodowaniu UTF-8.");
        return contents;
    }
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const QStringList lines = text.split(u'\n');

    QString topic;
    QString detail;
    QStringList block;
    int blockLine = 0;
    const auto finishBlock = [&]() {
        if (block.isEmpty())
            return;
        for (QString &line : block)
            line = line.trimmed();
        Question question;
        const QString problem = BlockReader(topic, detail).read(block.join(u' '), &question);
        if (problem.isEmpty())
            contents.questions.push_back(question);
        else
            contents.problems.push_back({blockLine, problem});
        block.clear();
    };
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(u'\r'))
            line.chop(1);
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1String("//")))
            continue;
        if (trimmed.isEmpty()) {
            finishBlock();
            continue;
        }
        if (block.isEmpty() && trimmed.startsWith(kCategory)) {
            const QStringList parts = categoryParts(trimmed);
            topic = parts.value(0);
            detail = parts.size() > 1 ? parts[1] : QString();
            continue;
        }
        if (block.isEmpty())
            blockLine = int(i + 1);
        block << line;
    }
    finishBlock();
    return contents;
}

QByteArray giftBytes(const std::vector<Question> &questions)
{
    QString out;
    QString topic;
    QString detail;
    bool first = true;
    for (const Question &question : questions) {
        if (first || question.topic != topic || question.detail != detail) {
            topic = question.topic;
            detail = question.detail;
            out += kCategory + u' ' + categoryName(topic);
            // Spaces around the separator keep a slash at a name's edge apart from it.
            if (!detail.isEmpty())
                out += (topic.endsWith(u'/') || detail.startsWith(u'/') ? QStringLiteral(" / ") : QStringLiteral("/"))
                    + categoryName(detail);
            out += QStringLiteral("\n\n");
            first = false;
        }
        if (!question.title.isEmpty())
            out += QStringLiteral("::") + escape(question.title) + QStringLiteral("::");
        // A text that would read as a comment or a format tag gets the plain tag.
        if (question.text.startsWith(QLatin1String("//")) || question.text.startsWith(u'['))
            out += QStringLiteral("[plain]");
        out += escape(question.text) + QStringLiteral(" {\n");
        for (qsizetype i = 0; i < question.answers.size(); ++i)
            out += (i == question.right ? QStringLiteral("\t=") : QStringLiteral("\t~")) + escape(question.answers[i]) + u'\n';
        out += QStringLiteral("}\n\n");
    }
    return out.toUtf8();
}

} // namespace marbelo::exam
