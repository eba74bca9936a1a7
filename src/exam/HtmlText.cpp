#include "exam/HtmlText.h"

#include <array>
#include <utility>

namespace marbelo::exam {

namespace {

// A line break in the text being built; folded with the blanks around it.
constexpr QChar kBreak = QChar(0xE000);

// The Latin-1 entities in the order of their characters, U+00A0 to U+00FF.
constexpr std::array<const char *, 96> kLatin1 = {
    "nbsp",   "iexcl", "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",    "copy",   "ordf",
    "laquo",  "not",   "shy",    "reg",    "macr",   "deg",    "plusmn", "sup2",   "sup3",   "acute",  "micro",
    "para",   "middot", "cedil", "sup1",   "ordm",   "raquo",  "frac14", "frac12", "frac34", "iquest", "Agrave",
    "Aacute", "Acirc", "Atilde", "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave", "Eacute", "Ecirc",  "Euml",
    "Igrave", "Iacute", "Icirc", "Iuml",   "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde", "Ouml",
    "times",  "Oslash", "Ugrave", "Uacute", "Ucirc", "Uuml",   "Yacute", "THORN",  "szlig",  "agrave", "aacute",
    "acirc",  "atilde", "auml",  "aring",  "aelig",  "ccedil", "egrave", "eacute", "ecirc",  "euml",   "igrave",
    "iacute", "icirc", "iuml",   "eth",    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide",
    "oslash", "ugrave", "uacute", "ucirc", "uuml",   "yacute", "thorn",  "yuml"};

// The other named references a text of a question is likely to hold: markup,
// Polish letters, typography.
constexpr std::pair<const char *, char16_t> kOthers[] = {
    {"amp", u'&'},         {"lt", u'<'},          {"gt", u'>'},          {"quot", u'"'},        {"apos", u'\''},
    {"Aogon", u'\u0104'},  {"aogon", u'\u0105'},  {"Cacute", u'\u0106'}, {"cacute", u'\u0107'}, {"Eogon", u'\u0118'},
    {"eogon", u'\u0119'},  {"Lstrok", u'\u0141'}, {"lstrok", u'\u0142'}, {"Nacute", u'\u0143'}, {"nacute", u'\u0144'},
    {"Sacute", u'\u015A'}, {"sacute", u'\u015B'}, {"Zacute", u'\u0179'}, {"zacute", u'\u017A'}, {"Zdot", u'\u017B'},
    {"zdot", u'\u017C'},   {"OElig", u'\u0152'},  {"oelig", u'\u0153'},  {"Scaron", u'\u0160'}, {"scaron", u'\u0161'},
    {"Yuml", u'\u0178'},   {"fnof", u'\u0192'},   {"circ", u'\u02C6'},   {"tilde", u'\u02DC'},  {"ensp", u'\u2002'},
    {"emsp", u'\u2003'},   {"thinsp", u'\u2009'}, {"zwnj", u'\u200C'},   {"zwj", u'\u200D'},    {"ndash", u'\u2013'},
    {"mdash", u'\u2014'},  {"lsquo", u'\u2018'},  {"rsquo", u'\u2019'},  {"sbquo", u'\u201A'},  {"ldquo", u'\u201C'},
    {"rdquo", u'\u201D'},  {"bdquo", u'\u201E'},  {"dagger", u'\u2020'}, {"Dagger", u'\u2021'}, {"bull", u'\u2022'},
    {"hellip", u'\u2026'}, {"permil", u'\u2030'}, {"prime", u'\u2032'},  {"Prime", u'\u2033'},  {"lsaquo", u'\u2039'},
    {"rsaquo", u'\u203A'}, {"euro", u'\u20AC'},   {"trade", u'\u2122'},  {"larr", u'\u2190'},   {"rarr", u'\u2192'},
    {"le", u'\u2264'},     {"ge", u'\u2265'},     {"ne", u'\u2260'},     {"asymp", u'\u2248'},  {"infin", u'\u221E'},
    {"minus", u'\u2212'},  {"alpha", u'\u03B1'},  {"beta", u'\u03B2'},   {"gamma", u'\u03B3'},  {"delta", u'\u03B4'},
    {"Delta", u'\u0394'},  {"lambda", u'\u03BB'}, {"mu", u'\u03BC'},     {"pi", u'\u03C0'},     {"sigma", u'\u03C3'},
    {"Omega", u'\u03A9'},  {"omega", u'\u03C9'},
};

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// The character of a named reference, or 0.
char32_t namedCharacter(QStringView name)
{
    for (std::size_t i = 0; i < kLatin1.size(); ++i) {
        if (name == QLatin1String(kLatin1[i]))
            return char32_t(0xA0 + i);
    }
    for (const auto &[entity, character] : kOthers) {
        if (name == QLatin1String(entity))
            return character;
    }
    return 0;
}

// The character of a numeric reference ("#123" or "#x1F"), or 0 when it is
// none a text may hold.
char32_t numericCharacter(QStringView digits)
{
    const bool hex = digits.size() > 1 && (digits[1] == u'x' || digits[1] == u'X');
    const QStringView number = digits.mid(hex ? 2 : 1);
    // More than seven digits cannot be a character; they would only overflow.
    if (number.isEmpty() || number.size() > 7)
        return 0;
    for (const QChar c : number) {
        if (!(c >= u'0' && c <= u'9') && !(hex && ((c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F'))))
            return 0;
    }
    bool ok = false;
    const uint value = number.toUInt(&ok, hex ? 16 : 10);
    if (!ok || value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    return char32_t(value);
}

// Reads the reference at text[at] ('&'): its character and the position
// after it, or 0 when it is none (the '&' then stays as written).
char32_t reference(const QString &text, qsizetype at, qsizetype *end)
{
    // The longest reference known is well under 12 characters; looking no
    // further keeps a text of many '&' linear.
    qsizetype semicolon = QStringView(text).mid(at + 1, 12).indexOf(u';');
    if (semicolon < 0)
        return 0;
    semicolon += at + 1;
    const QStringView name = QStringView(text).mid(at + 1, semicolon - at - 1);
    const char32_t character = name.startsWith(u'#') ? numericCharacter(name) : namedCharacter(name);
    *end = semicolon + 1;
    return character;
}

// Where the tag or comment at text[at] ('<') ends, or -1 when the '<' is
// plain text. lastClose is the position of the text's last '>': past it no
// tag can close, so a text of many '<' is not searched again and again. A
// comment left open runs to the end, as in a browser.
qsizetype tagEnd(const QString &text, qsizetype at, qsizetype lastClose)
{
    if (at + 1 >= text.size())
        return -1;
    const QChar next = text[at + 1];
    if (QStringView(text).mid(at).startsWith(QLatin1String("<!--"))) {
        const qsizetype close = text.indexOf(QLatin1String("-->"), at + 4);
        return close < 0 ? text.size() : close + 3;
    }
    if ((!isAsciiLetter(next) && next != u'/' && next != u'!' && next != u'?') || at > lastClose)
        return -1;
    const qsizetype close = text.indexOf(u'>', at + 1);
    return close < 0 ? -1 : close + 1;
}

bool isLineBreak(QStringView tag)
{
    // "<br>", "<br/>", "<br />", "<br class=...>" and "</p>", in any case.
    const auto named = [&](QLatin1String name) {
        if (!tag.startsWith(name, Qt::CaseInsensitive))
            return false;
        const QChar after = tag[name.size()];
        return after == u'>' || after == u'/' || after.isSpace();
    };
    return named(QLatin1String("<br")) || named(QLatin1String("</p"));
}

// One space for each run of blanks, one line break for a run of breaks with
// the blanks around them; nothing at either end.
QString folded(const QString &text)
{
    QString out;
    out.reserve(text.size());
    bool blank = false;
    bool lineBreak = false;
    for (const QChar c : text) {
        if (c == kBreak) {
            lineBreak = true;
        } else if (c.isSpace()) {
            blank = true;
        } else {
            if (!out.isEmpty() && lineBreak)
                out += u'\n';
            else if (!out.isEmpty() && blank)
                out += u' ';
            blank = lineBreak = false;
            out += c;
        }
    }
    return out;
}

} // namespace

QString plainFromHtml(const QString &html, bool *hadMarkup)
{
    QString text;
    text.reserve(html.size());
    bool markup = false;
    const qsizetype lastClose = html.lastIndexOf(u'>');
    for (qsizetype i = 0; i < html.size();) {
        if (html[i] == u'<') {
            const qsizetype end = tagEnd(html, i, lastClose);
            if (end >= 0) {
                if (isLineBreak(QStringView(html).mid(i, end - i)))
                    text += kBreak;
                markup = true;
                i = end;
                continue;
            }
        } else if (html[i] == u'&') {
            qsizetype end = i;
            const char32_t character = reference(html, i, &end);
            if (character != 0) {
                text += QString::fromUcs4(&character, 1);
                markup = true;
                i = end;
                continue;
            }
        }
        text += html[i];
        ++i;
    }
    if (hadMarkup)
        *hadMarkup = markup;
    return folded(text);
}

} // namespace marbelo::exam
