// Help provider double: records every request, installed for one test.
#pragma once

#include "shell/ui/HelpContext.h"

#include <QList>

class RecordingHelp : public marbelo::HelpProvider
{
public:
    RecordingHelp() { marbelo::installHelpProvider(this); }
    ~RecordingHelp() override { marbelo::installHelpProvider(nullptr); }
    RecordingHelp(const RecordingHelp &) = delete;
    RecordingHelp &operator=(const RecordingHelp &) = delete;

    void showTopic(int context) override { topics.append(context); }
    void showContents() override { ++contents; }
    void showIndex() override { ++index; }

    QList<int> topics;
    int contents = 0;
    int index = 0;
};
