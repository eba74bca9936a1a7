#include "store/SaveFile.h"

#include <QSaveFile>

namespace marbelo {

bool commitWhole(QSaveFile &file)
{
    if (!file.flush() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        // Closing ends the cancelled save: its temporary file goes away.
        file.commit();
        return false;
    }
    return file.commit();
}

} // namespace marbelo
