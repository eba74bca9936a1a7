#include "store/PlannedHours.h"

namespace marbelo {

QString trainingFormName(TrainingForm form)
{
    switch (form) {
    case TrainingForm::Course: return QStringLiteral("kurs");
    case TrainingForm::Seminar: return QStringLiteral("seminarium");
    case TrainingForm::GuidedSelfStudy: return QStringLiteral("samokształcenie kierowane");
    case TrainingForm::Instruction: return QStringLiteral("instruktaż");
    }
    return QString();
}

std::optional<TrainingForm> trainingFormNamed(const QString &name)
{
    for (int i = 0; i < kTrainingFormCount; ++i) {
        const auto form = static_cast<TrainingForm>(i);
        const QString full = trainingFormName(form);
        if (name == full || name == full.section(QLatin1Char(' '), 0, 0))
            return form;
    }
    return std::nullopt;
}

} // namespace marbelo
