// The commands of the "Pomoc" menu: the help's contents and index, the
// producer's web page and mail, and the About box.
#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace marbelo {

class CommandFrame;

class HelpCommands : public QObject
{
    Q_OBJECT
public:
    // dataDir: the data folder the About box names.
    HelpCommands(const QString &dataDir, CommandFrame &frame, QWidget *dialogOwner);

public slots:
    void showContents();
    void showIndex();
    void openProducerPage();
    void writeToProducer();
    void showAbout();

private:
    QString m_dataDir;
    CommandFrame &m_frame;
    QWidget *m_dialogOwner;
};

} // namespace marbelo
