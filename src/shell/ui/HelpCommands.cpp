#include "shell/ui/HelpCommands.h"

#include "common/ui/HelpContext.h"
#include "common/ui/PaneInterfaces.h"
#include "shell/Contact.h"
#include "shell/ui/AboutDialog.h"

namespace marbelo {

HelpCommands::HelpCommands(const QString &dataDir, CommandFrame &frame, QWidget *dialogOwner)
    : QObject(dialogOwner), m_dataDir(dataDir), m_frame(frame), m_dialogOwner(dialogOwner)
{
    setObjectName(QStringLiteral("HelpCommands"));
}

void HelpCommands::showContents()
{
    // "Spis treści"
    help().showContents();
    m_frame.refreshCommands();
}

void HelpCommands::showIndex()
{
    // "Indeks"
    help().showIndex();
    m_frame.refreshCommands();
}

void HelpCommands::openProducerPage()
{
    // "Tavo w internecie": the result is not examined; availability is not touched.
    openUrl(producerWebUrl());
}

void HelpCommands::writeToProducer()
{
    // "Poczta do tavo"
    openUrl(producerMailUrl());
}

void HelpCommands::showAbout()
{
    // "O programie ..."
    const CommandsDisabled disabled(m_frame);
    {
        AboutDialog about(m_dialogOwner, m_dataDir);
        about.exec();
    }
}

} // namespace marbelo
