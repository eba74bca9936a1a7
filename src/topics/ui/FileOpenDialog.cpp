#include "topics/ui/FileOpenDialog.h"

#include "common/ui/DialogParts.h"
#include "topics/import/SlideImport.h"

#include <QFileDialog>
#include <QFileInfo>

namespace marbelo {

QStringList FileOpenDialog::execute()
{
    const QString start = m_lastDirectory.isEmpty() ? fileDialogStartDirectory() : m_lastDirectory;
    QFileDialog dialog(m_owner, slideDialogTitle(), start, slideFileFilter());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setSizeGripEnabled(true);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const QStringList files = dialog.selectedFiles();
    if (!files.isEmpty())
        m_lastDirectory = QFileInfo(files.first()).absolutePath();
    return files;
}

} // namespace marbelo
