// The folder of one preview, export or PDF: made afresh under the temporary
// folder, readable by its user only, removed with what it holds when done.
// Two runs, of one user or two, never meet in it, and nothing another user
// planted in the temporary folder is written or read.
#pragma once

#include <QString>
#include <QTemporaryDir>

namespace marbelo {

class WorkFolder
{
public:
    WorkFolder();

    // The presentation composed for the run (View.pnn in the folder); empty
    // when the folder could not be made.
    QString presentationPath() const;

private:
    QTemporaryDir m_dir;
};

} // namespace marbelo
