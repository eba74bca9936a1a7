// The slide import's file dialog "Importuj slajdy z plików PDF i obrazów":
// several existing files at once, starting in the folder last chosen from.
#pragma once

#include "topics/OpenFilesDialog.h"

#include <QPointer>
#include <QWidget>

namespace marbelo {

class FileOpenDialog : public OpenFilesDialog
{
public:
    explicit FileOpenDialog(QWidget *owner = nullptr) : m_owner(owner) {}
    QStringList execute() override;

private:
    QPointer<QWidget> m_owner;
    QString m_lastDirectory;
};

} // namespace marbelo
