#include "store/WorkFolder.h"

#include "store/DataFiles.h"

namespace marbelo {

WorkFolder::WorkFolder() : m_dir(temporaryDir() + QStringLiteral("marbelo-XXXXXX")) {}

QString WorkFolder::presentationPath() const
{
    return m_dir.isValid() ? m_dir.filePath(kPresentationWorkName) : QString();
}

} // namespace marbelo
