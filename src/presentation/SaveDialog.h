// The file-save dialog of the export, behind an interface so that tests can
// answer it.
#pragma once

#include <QString>

namespace marbelo {

class SaveDialog
{
public:
    virtual ~SaveDialog() = default;
    // Shows the dialog; the chosen full path, or an empty text when cancelled.
    // The dialog starts with the last name chosen since the program started.
    virtual QString execute() = 0;
};

} // namespace marbelo
