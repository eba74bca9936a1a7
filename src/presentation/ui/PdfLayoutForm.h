// "Zapisz jako PDF": the choice between the slides and the participants'
// handouts.
#pragma once

#include "presentation/PdfExport.h"
#include "shell/ui/QelDialog.h"

class QRadioButton;

namespace marbelo {

class TQelPdfLayoutForm : public QelDialog
{
    Q_OBJECT
public:
    explicit TQelPdfLayoutForm(QWidget *owner = nullptr);

    PdfLayout layout() const;

private:
    QRadioButton *m_slidesButton;
    QRadioButton *m_handoutsButton;
};

} // namespace marbelo
