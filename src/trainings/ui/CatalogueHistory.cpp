#include "trainings/ui/CatalogueHistory.h"

#include "store/DataFiles.h"

#include <QFile>
#include <QFileInfo>

namespace marbelo {

CatalogueChange::CatalogueChange(const QString &text, QString dataDir, int number, std::optional<RecordBytes> before,
                                 std::optional<RecordBytes> after, Apply apply)
    : QUndoCommand(text), m_dataDir(std::move(dataDir)), m_number(number), m_before(before), m_after(after),
      m_apply(std::move(apply))
{
}

CatalogueChange::~CatalogueChange()
{
    // A new training that was taken back and will not come again leaves no
    // files behind; while it could be redone its files stay, untouched.
    const qint64 records = QFileInfo(m_dataDir + kCatalogueName).size() / kRecordSize;
    if (!m_before && !m_done && m_number >= records) {
        QFile::remove(m_dataDir + outlineFileName(m_number));
        QFile::remove(m_dataDir + imageStoreFileName(m_number));
    }
}

void CatalogueChange::undo()
{
    // What is on disk decides what a later undo or redo does.
    m_done = !m_apply(m_number, m_before);
}

void CatalogueChange::redo()
{
    if (m_done)
        return; // the first redo: the command has already run
    m_done = m_apply(m_number, m_after);
}

} // namespace marbelo
