#include "trainings/TrainingInfo.h"

#include "store/Catalogue.h"

namespace marbelo {

TrainingInfo trainingInfo(const QString &dataDir, int number)
{
    TrainingInfo info;
    info.number = number;
    TrainingRecord record;
    if (number >= 0 && readTrainingRecord(dataDir, number, &record)) {
        info.name = record.name;
        info.type = record.type;
    }
    return info;
}

} // namespace marbelo
