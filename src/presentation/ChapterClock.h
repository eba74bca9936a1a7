// The time spent on each chapter while a presentation runs: which chapter
// (top-level heading) each slide belongs to, its planned minutes, and the
// time its slides were shown so far in this run. The presenter console shows
// the current chapter's line; the audience sees none of it.
#pragma once

#include "trainings/OutlineTree.h"

#include <QDateTime>

#include <vector>

namespace marbelo {

struct ChapterPlan
{
    int number = 0;         // 1-based among the top-level headings
    int plannedMinutes = 0; // the chapter's counted hours of 45 minutes
};

class ChapterClock
{
public:
    ChapterClock() = default;
    // The slides as composed: the front page first when there is one, then
    // the slide of every outline item that has one, in outline order.
    ChapterClock(const OutlineTree &tree, bool frontPage);

    // The slide shown from now; the time until now goes to the slide shown before.
    void show(int slide, const QDateTime &now);
    // "Rozdział 2 · 23 min z 90" for the slide shown, empty outside a chapter.
    QString line(const QDateTime &now) const;
    // The chapter shown has run over its planned time.
    bool overrun(const QDateTime &now) const;

private:
    int currentChapter() const;
    qint64 secondsSpent(int chapter, const QDateTime &now) const;

    std::vector<int> m_chapterOfSlide; // index into m_chapters, -1 for none
    std::vector<ChapterPlan> m_chapters;
    std::vector<qint64> m_spent;       // seconds per chapter, until m_since
    int m_slide = -1;
    QDateTime m_since;
};

} // namespace marbelo
