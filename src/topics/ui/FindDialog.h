// The search dialog: asks for the phrase to look for in the topic library.
#pragma once

#include "common/ui/QelDialog.h"

class QLineEdit;
class QPushButton;

namespace marbelo {

class FindDialog : public QelDialog
{
    Q_OBJECT
public:
    explicit FindDialog(QWidget *owner = nullptr);

    // The phrase as typed: blanks before or after it are part of it.
    void setPhrase(const QString &phrase);
    QString phrase() const;

protected:
    void formShow() override;

private:
    void updateOkButton();

    QLineEdit *m_edit;
    QPushButton *m_okButton;
};

} // namespace marbelo
