// "Liczba godzin": a heading's planned hours (theory and exercises, in
// lesson hours to a quarter) or none of its own, and the training's form.
#pragma once

#include "common/ui/QelDialog.h"
#include "store/PlannedHours.h"

#include <optional>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;

namespace marbelo {

class HoursDialog : public QelDialog
{
    Q_OBJECT
public:
    explicit HoursDialog(QWidget *owner = nullptr);

    // own: the heading's own hours; counted: what it counts without them.
    void setUp(const QString &heading, std::optional<PlannedHours> own, PlannedHours counted, TrainingForm form);
    // The hours chosen, none when the heading is to count its sub-headings.
    std::optional<PlannedHours> hours() const;
    TrainingForm form() const;

private:
    void updateEnabled();

    QCheckBox *m_ownBox;
    QDoubleSpinBox *m_theoryEdit;
    QDoubleSpinBox *m_exercisesEdit;
    QComboBox *m_formBox;
};

} // namespace marbelo
