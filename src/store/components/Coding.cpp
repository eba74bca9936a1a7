#include "store/components/Coding.h"

namespace marbelo {

QByteArray BCodeToStr(const QByteArray &coded)
{
    static constexpr char kKey[8] = {'Q', 'U', 'O', 'X', 'I', 'R', 'A', 'N'};
    QByteArray plain(coded.size(), Qt::Uninitialized);
    const char *in = coded.constData();
    char *out = plain.data();
    for (qsizetype i = 0; i < coded.size(); ++i)
        out[i] = static_cast<char>(in[i] ^ kKey[i & 7]);
    return plain;
}

} // namespace marbelo
