// The program's help: our own Polish help document in a non-modal window,
// opened at the section of a help context, at the contents or at the index.
#pragma once

#include "common/ui/HelpContext.h"

#include <QPointer>
#include <QString>

class QTextBrowser;
class QWidget;

namespace marbelo {

class HelpView;

class HelpWindow : public HelpProvider
{
public:
    // helpFile: full path of the help document (data directory + "TarvixHelp.html").
    explicit HelpWindow(QString helpFile);
    ~HelpWindow() override;
    HelpWindow(const HelpWindow &) = delete;
    HelpWindow &operator=(const HelpWindow &) = delete;

    void showTopic(int context) override;
    void showContents() override;
    void showIndex() override;

    // Anchor of the section of a help context: "ctx-" and the number.
    static QString topicAnchor(int context);

    // The window and its text; null until the first request.
    QWidget *window() const;
    QTextBrowser *browser() const;
    // The anchor shown last ("ctx-2800", "contents", "index"); empty while
    // the help document cannot be read.
    QString currentAnchor() const;
    // The notice over the text when the document or a topic is missing;
    // empty when there is none.
    QString notice() const;

private:
    void open(const QString &anchor, const QString &missingNotice);

    QString m_helpFile;
    QPointer<HelpView> m_view;
};

} // namespace marbelo
