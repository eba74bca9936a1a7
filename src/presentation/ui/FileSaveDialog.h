// The export's save dialog "Zapisz prezentację w wybranej lokalizacji pod
// nazwą ...", asking before it overwrites and remembering the last name.
#pragma once

#include "presentation/SaveDialog.h"

#include <QPointer>
#include <QWidget>

namespace marbelo {

class FileSaveDialog : public SaveDialog
{
public:
    explicit FileSaveDialog(QWidget *owner = nullptr) : m_owner(owner) {}
    void setOwner(QWidget *owner) { m_owner = owner; }
    QString execute() override;

    // Where the dialog starts when no name was chosen yet: "C:\" where it
    // exists, the user's home directory elsewhere.
    static QString initialDirectory();

private:
    QPointer<QWidget> m_owner;
    QString m_lastPath;
};

} // namespace marbelo
