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

    void inform(const QString &text) override;
    bool confirm(const QString &text, DefaultAnswer defaultAnswer) override;

private:
    QWidget *m_owner;
};

} // namespace marbelo
