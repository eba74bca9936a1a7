// The save dialogs of the export ("Zapisz prezentację w wybranej lokalizacji
// pod nazwą ...") and of the PDF, asking before they overwrite and
// remembering the last name.
#pragma once

#include "presentation/SaveDialog.h"

#include <QPointer>
#include <QWidget>

namespace marbelo {

class FileSaveDialog : public SaveDialog
{
public:
    explicit FileSaveDialog(QWidget *owner = nullptr) : m_owner(owner) {}
    // A dialog with its own title, filter ("Caption (*.ext)") and suffix.
    FileSaveDialog(QWidget *owner, const QString &title, const QString &filter, const QString &suffix)
        : m_owner(owner), m_title(title), m_filter(filter), m_suffix(suffix)
    {
    }
    void setOwner(QWidget *owner) { m_owner = owner; }
    QString execute() override;

private:
    QPointer<QWidget> m_owner;
    QString m_title = QStringLiteral("Zapisz prezentację w wybranej lokalizacji pod nazwą ...");
    QString m_filter = QStringLiteral("Pliki prezentacji (*.pnn)");
    QString m_suffix = QStringLiteral("pnn");
    QString m_lastPath;
};

} // namespace marbelo
