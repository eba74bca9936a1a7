#include "presentation/ChapterClock.h"

#include "trainings/Programme.h"

namespace marbelo {

ChapterClock::ChapterClock(const OutlineTree &tree, bool frontPage)
{
    if (frontPage)
        m_chapterOfSlide.push_back(-1);
    for (OutlineNode top : tree.children(kOutlineRoot)) {
        int chapter = -1;
        if (isProgrammeHeading(tree, top)) {
            chapter = static_cast<int>(m_chapters.size());
            // Quarter hours of 45 minutes, to the nearest minute.
            const int quarters = countedHours(tree, top).total();
            m_chapters.push_back({chapter + 1, (quarters * 45 + 2) / 4});
        }
        std::vector<OutlineNode> pending{top};
        while (!pending.empty()) {
            const OutlineNode node = pending.back();
            pending.pop_back();
            if (hasSlide(tree.reference(node)))
                m_chapterOfSlide.push_back(chapter);
            const std::vector<OutlineNode> &children = tree.children(node);
            pending.insert(pending.end(), children.rbegin(), children.rend());
        }
    }
    m_spent.assign(m_chapters.size(), 0);
}

int ChapterClock::currentChapter() const
{
    if (m_slide < 0 || m_slide >= static_cast<int>(m_chapterOfSlide.size()))
        return -1;
    return m_chapterOfSlide[static_cast<std::size_t>(m_slide)];
}

void ChapterClock::show(int slide, const QDateTime &now)
{
    const int chapter = currentChapter();
    if (chapter >= 0 && m_since.isValid())
        m_spent[static_cast<std::size_t>(chapter)] += std::max<qint64>(0, m_since.secsTo(now));
    m_slide = slide;
    m_since = now;
}

qint64 ChapterClock::secondsSpent(int chapter, const QDateTime &now) const
{
    qint64 seconds = m_spent[static_cast<std::size_t>(chapter)];
    if (chapter == currentChapter() && m_since.isValid())
        seconds += std::max<qint64>(0, m_since.secsTo(now));
    return seconds;
}

QString ChapterClock::line(const QDateTime &now) const
{
    const int chapter = currentChapter();
    if (chapter < 0)
        return QString();
    const ChapterPlan &plan = m_chapters[static_cast<std::size_t>(chapter)];
    QString text = QStringLiteral("Rozdział %1 · %2 min").arg(plan.number).arg(secondsSpent(chapter, now) / 60);
    if (plan.plannedMinutes > 0)
        text += QStringLiteral(" z %1").arg(plan.plannedMinutes);
    if (overrun(now))
        text += QStringLiteral(" — ponad plan");
    return text;
}

bool ChapterClock::overrun(const QDateTime &now) const
{
    const int chapter = currentChapter();
    if (chapter < 0)
        return false;
    const int planned = m_chapters[static_cast<std::size_t>(chapter)].plannedMinutes;
    return planned > 0 && secondsSpent(chapter, now) > qint64(planned) * 60;
}

} // namespace marbelo
