#include "presentation/ui/FileSaveDialog.h"

#include "common/ui/DialogParts.h"

#include <QFileDialog>

namespace marbelo {

QString FileSaveDialog::execute()
{
    QFileDialog dialog(m_owner, m_title, fileDialogStartDirectory(), m_filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(m_suffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog.setSizeGripEnabled(true);
    if (!m_lastPath.isEmpty())
        dialog.selectFile(m_lastPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    m_lastPath = dialog.selectedFiles().first();
    return m_lastPath;
}

} // namespace marbelo
