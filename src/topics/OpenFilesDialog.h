// The file-open dialog of the slide import, behind an interface so that tests
// can answer it.
#pragma once

#include <QStringList>

namespace marbelo {

class OpenFilesDialog
{
public:
    virtual ~OpenFilesDialog() = default;
    // Shows the dialog; the chosen files' full paths, or none when cancelled.
    virtual QStringList execute() = 0;
};

} // namespace marbelo
