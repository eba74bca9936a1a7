// The key help window of the full-screen preview: lists the keys that step
// through the slides, jump, blank the screen, open the overview and this help,
// and end the preview.
#pragma once

#include "common/ui/QelDialog.h"

class QFrame;

namespace marbelo {

class KeyHelpForm : public QelDialog
{
    Q_OBJECT
public:
    explicit KeyHelpForm(QWidget *owner = nullptr);

protected:
    void formShow() override;

private:
    QFrame *m_panel;
};

} // namespace marbelo
