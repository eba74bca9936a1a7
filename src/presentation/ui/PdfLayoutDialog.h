// "Zapisz jako PDF": the choice between the slides and the participants'
// handouts.
#pragma once

#include "presentation/PdfExport.h"
#include "common/ui/QelDialog.h"

class QRadioButton;

namespace marbelo {

class PdfLayoutDialog : public QelDialog
{
    Q_OBJECT
public:
    explicit PdfLayoutDialog(QWidget *owner = nullptr);

    PdfLayout layout() const;

private:
    QRadioButton *m_slidesButton;
    QRadioButton *m_handoutsButton;
};

} // namespace marbelo
