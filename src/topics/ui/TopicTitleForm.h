// The small dialog that asks for a framework topic's title: "Importuj slajdy"
// before an import, "Zmień nazwę tematu" for an own topic. The title follows
// the training names' rules: at most 128 characters, Windows-1250 only.
#pragma once

#include "common/ui/QelDialog.h"

class QLineEdit;
class QPushButton;

namespace marbelo {

class TopicTitleForm : public QelDialog
{
    Q_OBJECT
public:
    enum Purpose { Import, Rename };
    TopicTitleForm(QWidget *owner, Purpose purpose);

    // Characters Windows-1250 cannot hold are left out, and the text cut to 128.
    void setTitle(const QString &title);
    QString title() const;

protected:
    void formShow() override;

private:
    void updateOkButton();

    QLineEdit *m_titleEdit;
    QPushButton *m_okButton;
};

} // namespace marbelo
