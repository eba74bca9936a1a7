// The main window on a data location, opened the way the program entry opens
// it (the data folder prepared first), and the steps a user takes in it.
#pragma once

#include "shell/ui/MainWindow.h"
#include "topics/ui/TopicLibraryPane.h"
#include "trainings/ui/TrainingListPane.h"
#include "store/DataLocation.h"
#include "support/ui/Scripted.h"

#include <QStringList>

#include <memory>

class QListWidget;

namespace testing_support {

struct InstalledWindow
{
    ScriptedMessages messages;
    ScriptedSaveDialog saveDialog;
    std::unique_ptr<marbelo::MainWindow> window;

    // Prepares the location and shows a window on it; false when the data
    // folder could not be prepared.
    bool open(const marbelo::DataLocation &location);
    void close();

    // "Nowe" with the dialog answered: the name typed, the type chosen, "Utwórz".
    void createTraining(const QString &name, int type);
    static QStringList lines(const QListWidget *list);
};

} // namespace testing_support
