// A data directory holding one training ready to export: its catalogue
// record, front page, image store, outline and the side files.
#pragma once

#include "store/ItemReference.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace testing_support {

struct TrainingData
{
    std::vector<QByteArray> jpegs;              // the slides in presentation order, front page first
    std::vector<marbelo::ItemReference> references; // the outline in pre-order: a chapter, then one item per slide
    QByteArray presentation;                    // the presentation file composed from them
};

// Training 0 of type 1 named name, with slideCount item slides of distinct
// sizes and colours after its front page.
TrainingData writeTrainingData(const QString &dataDir, const QString &name, int slideCount);

} // namespace testing_support
