// Message boxes shown with QMessageBox, titled with the application title.
#pragma once

#include "store/components/Messages.h"

class QWidget;

namespace marbelo {

class MessageBoxes : public Messages
{
public:
    explicit MessageBoxes(QWidget *owner = nullptr) : m_owner(owner) {}
    void setOwner(QWidget *owner) { m_owner = owner; }

    int InformationMessage(const QString &text, int kind, int reserved, int defaultButton) override;
    int Confirmation2Message(const QString &text, int kind, int reserved, int defaultButton) override;

private:
    QWidget *m_owner;
};

} // namespace marbelo
