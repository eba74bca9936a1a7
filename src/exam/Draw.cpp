#include "exam/Draw.h"

#include "exam/DrawNumbers.h"

#include <algorithm>
#include <numeric>

namespace marbelo::exam {

namespace {

QList<qint64> weights(const std::vector<DrawTopic> &topics)
{
    qint64 setSum = 0;
    qint64 setCount = 0;
    for (const DrawTopic &topic : topics) {
        if (topic.quarters > 0) {
            setSum += topic.quarters;
            ++setCount;
        }
    }
    QList<qint64> result;
    for (const DrawTopic &topic : topics) {
        if (setCount == 0)
            result << 1;
        else // scaled by setCount so the average stays whole
            result << (topic.quarters > 0 ? topic.quarters * setCount : setSum);
    }
    return result;
}

} // namespace

QList<int> topicShares(const std::vector<DrawTopic> &topics, int count)
{
    const QList<qint64> weight = weights(topics);
    QList<int> shares(qsizetype(topics.size()), 0);
    const auto spare = [&](qsizetype i) { return int(topics[std::size_t(i)].questions.size()) - shares[i]; };
    int left = count;
    while (left > 0) {
        QList<qsizetype> open;
        qint64 total = 0;
        for (qsizetype i = 0; i < shares.size(); ++i) {
            if (spare(i) > 0) {
                open << i;
                total += weight[i];
            }
        }
        if (open.isEmpty() || total == 0)
            break;
        // Whole parts first, then one each by the largest remainder.
        QList<qint64> remainder(shares.size(), 0);
        QList<bool> capped(shares.size(), false);
        int given = 0;
        for (const qsizetype i : open) {
            const qint64 quota = qint64(left) * weight[i];
            int whole = int(quota / total);
            remainder[i] = quota % total;
            if (whole > spare(i)) {
                whole = spare(i);
                capped[i] = true;
            }
            shares[i] += whole;
            given += whole;
        }
        left -= given;
        std::stable_sort(open.begin(), open.end(),
                         [&](qsizetype a, qsizetype b) { return remainder[a] > remainder[b]; });
        for (const qsizetype i : open) {
            if (left == 0)
                break;
            if (!capped[i] && remainder[i] > 0 && spare(i) > 0) {
                ++shares[i];
                --left;
            }
        }
    }
    return shares;
}

bool drawTest(const std::vector<DrawTopic> &topics, int count, int variantCount, std::uint64_t number,
              std::vector<Variant> *variants, QString *error)
{
    if (count < 1) {
        *error = QStringLiteral("Test musi mieć co najmniej jedno pytanie.");
        return false;
    }
    if (variantCount < 1 || variantCount > kMaxVariantCount) {
        *error = QStringLiteral("Liczba wariantów musi wynosić od 1 do %1.").arg(kMaxVariantCount);
        return false;
    }
    qsizetype available = 0;
    for (const DrawTopic &topic : topics)
        available += topic.questions.size();
    if (available < count) {
        *error = QStringLiteral("W banku jest tylko %1 pytań do tematów tego szkolenia, a test ma mieć %2. "
                                "Dopisz pytania albo zmniejsz ich liczbę w teście.")
                     .arg(available)
                     .arg(count);
        return false;
    }
    DrawNumbers numbers(number);
    const QList<int> shares = topicShares(topics, count);
    QList<DrawQuestion> chosen;
    for (std::size_t t = 0; t < topics.size(); ++t) {
        QList<DrawQuestion> pool = topics[t].questions;
        numbers.shuffle(pool);
        chosen += pool.mid(0, shares[qsizetype(t)]);
    }
    variants->clear();
    for (int v = 0; v < variantCount; ++v) {
        QList<DrawQuestion> order = chosen;
        numbers.shuffle(order);
        Variant variant;
        for (const DrawQuestion &question : order) {
            QList<int> answers(question.answers);
            std::iota(answers.begin(), answers.end(), 0);
            numbers.shuffle(answers);
            variant.push_back({question.id, answers});
        }
        variants->push_back(variant);
    }
    return true;
}

} // namespace marbelo::exam
