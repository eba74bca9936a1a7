#include "topics/import/PdfOutlineCheck.h"

#include "topics/import/PdfSyntax.h"

#include <QByteArray>

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace marbelo {

namespace {

constexpr int kMaxNesting = 64;              // arrays and dictionaries within one object
constexpr qint64 kMaxInflated = 64 << 20;    // all object streams of a file together
constexpr qint64 kMaxObjectNumber = 1 << 24; // more than any PDF library accepts

using pdf::isDelimiter;
using pdf::isDigit;
using pdf::isSpace;

// The links of one dictionary and what an object stream's dictionary holds.
struct Dict
{
    std::vector<int> first; // nodes its /First leads to
    std::vector<int> next;  // nodes its /Next leads to
    QByteArray type;
    qint64 count = -1;       // /N
    qint64 firstOffset = -1; // /First as a number (object streams)
    qint64 length = -1;      // /Length as a number
    bool plainOrFlate = true;
};

struct Value
{
    enum Kind { Other, Number, Ref, Name, Dict } kind = Other;
    qint64 number = 0; // a number, or the object a reference names
    QByteArray name;
    std::vector<QByteArray> names; // an array's names
    marbelo::Dict dict;
};

struct Node
{
    std::vector<int> first;
    std::vector<int> next;
};

// The graph of /First and /Next links over the file's objects.
class Graph
{
public:
    int nodeOfObject(qint64 number)
    {
        const auto [at, added] = m_objects.try_emplace(number, static_cast<int>(nodes.size()));
        if (added) {
            nodes.emplace_back();
            objectOfNode.push_back(number);
        }
        return at->second;
    }
    int newNode(const Dict &dict)
    {
        nodes.push_back({dict.first, dict.next});
        objectOfNode.push_back(-1);
        return static_cast<int>(nodes.size()) - 1;
    }
    void define(qint64 number, const Value *value)
    {
        if (!value) {
            broken.insert(number);
            return;
        }
        defined.insert(number);
        if (value->kind != Value::Dict || (value->dict.first.empty() && value->dict.next.empty()))
            return;
        Node &node = nodes[static_cast<std::size_t>(nodeOfObject(number))];
        node.first.insert(node.first.end(), value->dict.first.begin(), value->dict.first.end());
        node.next.insert(node.next.end(), value->dict.next.begin(), value->dict.next.end());
    }

    std::vector<Node> nodes;
    std::vector<qint64> objectOfNode; // -1 for a dictionary written in place
    std::unordered_set<qint64> defined;
    std::unordered_set<qint64> broken;

private:
    std::unordered_map<qint64, int> m_objects;
};

// Reads PDF objects from bytes; every step advances or fails.
class Parser
{
public:
    Parser(QByteArrayView data, Graph &graph) : m_data(data), m_graph(graph) {}

    qsizetype pos = 0;

    void skipSpace()
    {
        while (pos < m_data.size()) {
            if (isSpace(m_data[pos])) {
                ++pos;
            } else if (m_data[pos] == '%') {
                while (pos < m_data.size() && m_data[pos] != '\n' && m_data[pos] != '\r')
                    ++pos;
            } else {
                break;
            }
        }
    }

    bool value(Value *out, int nesting = 0)
    {
        skipSpace();
        if (pos >= m_data.size() || nesting > kMaxNesting)
            return false;
        const char c = m_data[pos];
        if (c == '<' && pos + 1 < m_data.size() && m_data[pos + 1] == '<')
            return dict(out, nesting);
        if (c == '<')
            return skipPast('>');
        if (c == '(')
            return literalString();
        if (c == '[')
            return array(out, nesting);
        if (c == '/') {
            out->kind = Value::Name;
            out->name = name();
            return true;
        }
        if (isDigit(c) || c == '+' || c == '-' || c == '.')
            return number(out);
        if (isDelimiter(c))
            return false;
        while (pos < m_data.size() && !isSpace(m_data[pos]) && !isDelimiter(m_data[pos]))
            ++pos;
        return true;
    }

private:
    bool skipPast(char end)
    {
        while (pos < m_data.size() && m_data[pos] != end)
            ++pos;
        if (pos >= m_data.size())
            return false;
        ++pos;
        return true;
    }

    bool literalString()
    {
        int open = 0;
        while (pos < m_data.size()) {
            const char c = m_data[pos++];
            if (c == '\\')
                ++pos;
            else if (c == '(')
                ++open;
            else if (c == ')' && --open == 0)
                return pos <= m_data.size();
        }
        return false;
    }

    static int hexDigit(char c)
    {
        if (isDigit(c))
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

    // A name with its #xx escapes decoded, as the PDF library reads it.
    QByteArray name()
    {
        ++pos;
        QByteArray result;
        while (pos < m_data.size() && !isSpace(m_data[pos]) && !isDelimiter(m_data[pos])) {
            const char c = m_data[pos++];
            if (c == '#' && pos + 1 < m_data.size() && hexDigit(m_data[pos]) >= 0 && hexDigit(m_data[pos + 1]) >= 0) {
                result += char(hexDigit(m_data[pos]) * 16 + hexDigit(m_data[pos + 1]));
                pos += 2;
            } else {
                result += c;
            }
        }
        return result;
    }

    // A plain non-negative integer at pos, or -1.
    qint64 integer()
    {
        qint64 result = 0;
        const qsizetype start = pos;
        while (pos < m_data.size() && isDigit(m_data[pos]) && pos - start < 12)
            result = result * 10 + (m_data[pos++] - '0');
        return pos > start ? result : -1;
    }

    bool number(Value *out)
    {
        out->kind = Value::Number;
        const qsizetype start = pos;
        const qint64 whole = integer();
        const bool plain = whole >= 0 && (pos >= m_data.size() || isSpace(m_data[pos]) || isDelimiter(m_data[pos]));
        if (!plain) {
            pos = start + 1;
            while (pos < m_data.size() && !isSpace(m_data[pos]) && !isDelimiter(m_data[pos]))
                ++pos;
            out->number = -1;
            return true;
        }
        out->number = whole;
        // "N G R" is a reference to object N.
        const qsizetype after = pos;
        skipSpace();
        if (integer() >= 0) {
            skipSpace();
            if (pos < m_data.size() && m_data[pos] == 'R'
                && (pos + 1 >= m_data.size() || isSpace(m_data[pos + 1]) || isDelimiter(m_data[pos + 1]))) {
                ++pos;
                out->kind = Value::Ref;
                return true;
            }
        }
        pos = after;
        return true;
    }

    bool array(Value *out, int nesting)
    {
        ++pos;
        for (;;) {
            skipSpace();
            if (pos >= m_data.size())
                return false;
            if (m_data[pos] == ']') {
                ++pos;
                return true;
            }
            Value item;
            if (!value(&item, nesting + 1))
                return false;
            if (item.kind == Value::Name)
                out->names.push_back(item.name);
        }
    }

    // The node a /First or /Next value leads to, or -1 for none.
    int linkTarget(const Value &v)
    {
        if (v.kind == Value::Ref && v.number >= 0 && v.number < kMaxObjectNumber)
            return m_graph.nodeOfObject(v.number);
        if (v.kind == Value::Dict)
            return m_graph.newNode(v.dict);
        return -1;
    }

    bool dict(Value *out, int nesting)
    {
        pos += 2;
        out->kind = Value::Dict;
        Dict &d = out->dict;
        for (;;) {
            skipSpace();
            if (pos + 1 < m_data.size() && m_data[pos] == '>' && m_data[pos + 1] == '>') {
                pos += 2;
                return true;
            }
            if (pos >= m_data.size() || m_data[pos] != '/')
                return false;
            const QByteArray key = name();
            Value v;
            if (!value(&v, nesting + 1))
                return false;
            if (key == "First" || key == "Next") {
                const int target = linkTarget(v);
                if (target >= 0)
                    (key == "First" ? d.first : d.next).push_back(target);
                if (key == "First" && v.kind == Value::Number)
                    d.firstOffset = v.number;
            } else if (key == "Type" && v.kind == Value::Name) {
                d.type = v.name;
            } else if (key == "N" && v.kind == Value::Number) {
                d.count = v.number;
            } else if (key == "Length" && v.kind == Value::Number) {
                d.length = v.number;
            } else if (key == "Filter") {
                const bool flate = (v.kind == Value::Name && v.name == "FlateDecode")
                                   || (v.names.size() == 1 && v.names.front() == "FlateDecode");
                d.plainOrFlate = d.plainOrFlate && flate;
            } else if (key == "DecodeParms") {
                d.plainOrFlate = false;
            }
        }
    }

    QByteArrayView m_data;
    Graph &m_graph;
};

// Inflates a FlateDecode stream within what is left of the budget.
bool inflateStream(QByteArrayView in, QByteArray *out, qint64 *budget)
{
    z_stream z{};
    if (inflateInit(&z) != Z_OK)
        return false;
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(in.data()));
    z.avail_in = static_cast<uInt>(std::min<qsizetype>(in.size(), std::numeric_limits<uInt>::max()));
    char chunk[16384];
    int status = Z_OK;
    while (status == Z_OK) {
        z.next_out = reinterpret_cast<Bytef *>(chunk);
        z.avail_out = sizeof chunk;
        status = inflate(&z, Z_NO_FLUSH);
        const qint64 produced = qint64(sizeof chunk) - z.avail_out;
        if ((status != Z_OK && status != Z_STREAM_END) || produced > *budget) {
            inflateEnd(&z);
            return false;
        }
        *budget -= produced;
        out->append(chunk, produced);
        if (status == Z_OK && produced == 0 && z.avail_in == 0)
            break;
    }
    inflateEnd(&z);
    return true;
}

// The objects of an object stream whose dictionary was just read; false when
// they cannot be read for sure.
bool readObjectStream(QByteArrayView data, qsizetype pos, const Dict &dict, Graph &graph, qint64 *budget)
{
    if (!dict.plainOrFlate || dict.count < 0 || dict.firstOffset < 0)
        return false;
    while (pos < data.size() && isSpace(data[pos]))
        ++pos;
    if (pos > data.size() || !data.sliced(pos).startsWith("stream"))
        return false;
    pos += 6;
    if (pos < data.size() && data[pos] == '\r')
        ++pos;
    if (pos < data.size() && data[pos] == '\n')
        ++pos;
    qsizetype end = dict.length >= 0 && dict.length <= data.size() - pos ? pos + dict.length : -1;
    if (end < 0) {
        end = QByteArrayView(data).indexOf("endstream", pos);
        if (end < 0)
            return false;
    }
    QByteArray inflated;
    if (!inflateStream(data.sliced(pos, end - pos), &inflated, budget))
        return false;
    Graph &g = graph;
    Parser header(inflated, g);
    std::vector<std::pair<qint64, qint64>> entries;
    for (qint64 i = 0; i < dict.count; ++i) {
        Value number, offset;
        if (!header.value(&number) || !header.value(&offset) || number.kind != Value::Number
            || offset.kind != Value::Number || number.number < 0 || offset.number < 0)
            return false;
        entries.emplace_back(number.number, offset.number);
    }
    for (const auto &[number, offset] : entries) {
        Parser object(inflated, g);
        object.pos = dict.firstOffset + offset;
        Value v;
        const bool read = object.pos < inflated.size() && object.value(&v);
        g.define(number, read ? &v : nullptr);
    }
    return true;
}

// The object number of an "N G obj" whose keyword starts at at, or -1.
qint64 objectNumberBefore(QByteArrayView data, qsizetype at)
{
    qsizetype p = at;
    const auto skipBack = [&](bool digits) {
        const qsizetype start = p;
        while (p > 0 && (digits ? isDigit(data[p - 1]) : isSpace(data[p - 1])))
            --p;
        return start - p;
    };
    if (skipBack(false) == 0 || skipBack(true) == 0 || skipBack(false) == 0)
        return -1;
    const qsizetype end = p;
    const qsizetype digits = skipBack(true);
    if (digits == 0 || digits > 8 || (p > 0 && !isSpace(data[p - 1]) && !isDelimiter(data[p - 1])))
        return -1;
    return QByteArrayView(data.data() + p, end - p).toLongLong();
}

// True when no walk from any node runs into a cycle or past the limits; a
// link to an object that was not read sets *unreadable.
bool graphIsBounded(const Graph &graph, bool *unreadable)
{
    const std::size_t count = graph.nodes.size();
    std::vector<char> state(count, 0); // 0 new, 1 on the path, 2 done
    std::vector<qint64> items(count, 0);
    std::vector<int> depth(count, 0);
    const auto known = [&graph](int node) {
        const qint64 object = graph.objectOfNode[static_cast<std::size_t>(node)];
        return object < 0 || (graph.defined.count(object) && !graph.broken.count(object));
    };
    for (std::size_t start = 0; start < count; ++start) {
        if (state[start])
            continue;
        std::vector<int> path{static_cast<int>(start)};
        while (!path.empty()) {
            const auto node = static_cast<std::size_t>(path.back());
            if (!known(static_cast<int>(node))) {
                *unreadable = true;
                return false;
            }
            if (state[node] == 0) {
                state[node] = 1;
                for (const auto *links : {&graph.nodes[node].first, &graph.nodes[node].next}) {
                    for (int target : *links) {
                        if (state[static_cast<std::size_t>(target)] == 1)
                            return false; // a cycle
                        if (state[static_cast<std::size_t>(target)] == 0)
                            path.push_back(target);
                    }
                }
                continue;
            }
            path.pop_back();
            if (state[node] == 2)
                continue;
            state[node] = 2;
            qint64 total = 1;
            int deepest = 1;
            std::vector<int> seen;
            for (int target : graph.nodes[node].first) {
                if (std::find(seen.begin(), seen.end(), target) != seen.end())
                    continue;
                seen.push_back(target);
                total += items[static_cast<std::size_t>(target)];
                deepest = std::max(deepest, 1 + depth[static_cast<std::size_t>(target)]);
            }
            seen.clear();
            for (int target : graph.nodes[node].next) {
                if (std::find(seen.begin(), seen.end(), target) != seen.end())
                    continue;
                seen.push_back(target);
                total += items[static_cast<std::size_t>(target)];
                deepest = std::max(deepest, depth[static_cast<std::size_t>(target)]);
            }
            if (total > kMaxOutlineItems || deepest > kMaxOutlineDepth)
                return false;
            items[node] = total;
            depth[node] = deepest;
        }
    }
    return true;
}

} // namespace

bool outlineIsBounded(QByteArrayView pdf, bool *unreadable)
{
    bool ignored = false;
    if (!unreadable)
        unreadable = &ignored;
    *unreadable = false;
    Graph graph;
    qint64 budget = kMaxInflated;
    for (qsizetype at = pdf.indexOf("obj"); at >= 0; at = pdf.indexOf("obj", at + 3)) {
        if (at + 3 < pdf.size() && !isSpace(pdf[at + 3]) && !isDelimiter(pdf[at + 3]))
            continue;
        const qint64 number = objectNumberBefore(pdf, at);
        if (number < 0 || number >= kMaxObjectNumber)
            continue;
        Parser parser(pdf, graph);
        parser.pos = at + 3;
        Value v;
        if (!parser.value(&v)) {
            graph.define(number, nullptr);
            continue;
        }
        graph.define(number, &v);
        if (v.kind == Value::Dict && v.dict.type == "ObjStm" && !readObjectStream(pdf, parser.pos, v.dict, graph, &budget)) {
            *unreadable = true;
            return false;
        }
    }
    return graphIsBounded(graph, unreadable);
}

} // namespace marbelo
