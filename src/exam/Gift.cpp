#include "exam/Gift.h"

#include "exam/HtmlText.h"

#include <QStringDecoder>

#include <algorithm>

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

// A text of a question or an answer with the format marker that may stand
// before it: the marker is never part of the text.
struct FormattedText
{
    QString text; // as written, escapes still in it
    bool html = false;
};

FormattedText takeFormat(const QString &written, bool htmlByDefault)
{
    const QString text = written.trimmed();
    for (const char *tag : {"[html]", "[moodle]", "[plain]", "[markdown]"}) {
        if (text.startsWith(QLatin1String(tag)))
            return {text.mid(qsizetype(qstrlen(tag))), qstrcmp(tag, "[html]") == 0};
    }
    return {text, htmlByDefault};
}

// The text to keep: unescaped, and plain when it was HTML. markup is set
// when HTML tags or references were taken out.
QString plainText(const FormattedText &formatted, bool *markup)
{
    const QString text = unescape(formatted.text);
    if (!formatted.html)
        return text;
    bool had = false;
    const QString plain = plainFromHtml(text, &had);
    *markup = *markup || had;
    return plain;
}

class BlockReader
{
public:
    BlockReader(QString topic, QString detail) : m_topic(std::move(topic)), m_detail(std::move(detail)) {}

    // The question of one block, or a problem text; markup is set when
    // HTML was turned into plain text.
    QString read(const QString &block, Question *question, bool *markup) const
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
        const FormattedText text = takeFormat(rest.left(open), false);
        question->text = plainText(text, markup);
        const QString problem = readAnswers(rest.mid(open + 1, close - open - 1), text.html, question, markup);
        if (!problem.isEmpty())
            return problem;
        question->topic = m_topic;
        question->detail = m_detail;
        if (m_topic.isEmpty())
            return QStringLiteral("Pytanie stoi przed pierwszą linią $CATEGORY: nie wiadomo, do którego tematu należy.");
        return questionProblem(*question);
    }

private:
    // An answer as written: its mark and its text up to the feedback.
    struct WrittenAnswer
    {
        bool right = false;
        QString text;
    };

    static std::vector<WrittenAnswer> splitAnswers(const QString &body)
    {
        std::vector<WrittenAnswer> answers;
        qsizetype at = 0;
        while (at < body.size()) {
            qsizetype next = body.size();
            for (const QChar mark : {u'=', u'~'}) {
                const qsizetype found = findUnescaped(body, mark, at + 1);
                if (found >= 0 && found < next)
                    next = found;
            }
            QString text = body.mid(at + 1, next - at - 1);
            const qsizetype feedback = findUnescaped(text, u'#');
            if (feedback >= 0)
                text.truncate(feedback);
            answers.push_back({body[at] == u'=', text});
            at = next;
        }
        return answers;
    }

    static QString readAnswers(const QString &body, bool htmlByDefault, Question *question, bool *markup)
    {
        const QString trimmed = body.trimmed();
        if (trimmed.isEmpty())
            return QStringLiteral("Pytania otwarte (esej) nie są obsługiwane.");
        if (trimmed.startsWith(u'#'))
            return QStringLiteral("Pytania liczbowe nie są obsługiwane.");
        if (!trimmed.startsWith(u'=') && !trimmed.startsWith(u'~'))
            return QStringLiteral("Pytania prawda/fałsz i inne rodzaje nie są obsługiwane.");
        const std::vector<WrittenAnswer> answers = splitAnswers(trimmed);
        // A wrong answer makes it a choice, whatever arrows its texts or
        // feedback hold; pairs are only ever all right answers.
        const bool choice = std::any_of(answers.begin(), answers.end(), [](const WrittenAnswer &a) { return !a.right; });
        if (!choice
            && std::any_of(answers.begin(), answers.end(),
                           [](const WrittenAnswer &a) { return findUnescaped(a.text, QStringLiteral("->")) >= 0; }))
            return QStringLiteral("Pytania na dopasowanie nie są obsługiwane.");
        int rights = 0;
        for (const WrittenAnswer &answer : answers) {
            if (answer.text.trimmed().startsWith(u'%'))
                return QStringLiteral("Odpowiedzi z wagą punktów (%) nie są obsługiwane.");
            if (answer.right) {
                ++rights;
                question->right = int(question->answers.size());
            }
            question->answers << plainText(takeFormat(answer.text, htmlByDefault), markup);
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
        bool markup = false;
        const QString problem = BlockReader(topic, detail).read(block.join(u' '), &question, &markup);
        if (problem.isEmpty()) {
            contents.questions.push_back(question);
            contents.markupQuestions += markup ? 1 : 0;
        } else
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
        // A text that would read as a comment or a format marker gets the plain marker.
        if (question.text.startsWith(QLatin1String("//")) || question.text.startsWith(u'['))
            out += QStringLiteral("[plain]");
        out += escape(question.text) + QStringLiteral(" {\n");
        for (qsizetype i = 0; i < question.answers.size(); ++i) {
            out += i == question.right ? QStringLiteral("\t=") : QStringLiteral("\t~");
            // An answer that would read as a format marker or a weight gets the plain marker.
            if (question.answers[i].startsWith(u'[') || question.answers[i].startsWith(u'%'))
                out += QStringLiteral("[plain]");
            out += escape(question.answers[i]) + u'\n';
        }
        out += QStringLiteral("}\n\n");
    }
    return out.toUtf8();
}

} // namespace marbelo::exam
