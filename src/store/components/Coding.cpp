#include "store/components/Coding.h"

namespace marbelo {

namespace {

constexpr char kKey[8] = {'Q', 'U', 'O', 'X', 'I', 'R', 'A', 'N'};

} // namespace

QByteArray BCodeToStr(const QByteArray &coded)
{
    QByteArray plain(coded.size(), Qt::Uninitialized);
    const char *in = coded.constData();
    char *out = plain.data();
    for (qsizetype i = 0; i < coded.size(); ++i)
        out[i] = static_cast<char>(in[i] ^ kKey[i & 7]);
    return plain;
}

void BCodeInPlace(char *bytes, qsizetype size, qsizetype start)
{
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(bytes[i] ^ kKey[(start + i) & 7]);
}

} // namespace marbelo
