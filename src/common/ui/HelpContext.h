// Help context numbers attached to widgets, actions and dialogs, and the help
// requests made with them.
#pragma once

#include "common/ui/PaleYellow.h"

class QObject;
class QWidget;

namespace marbelo {

// Help context of a widget, an action or a menu; 0 when none is attached.
void setHelpContext(QObject *object, int context);
int helpContext(const QObject *object);

// Where help requests go: the in-program help window, or a recording double in tests.
class HelpProvider
{
public:
    virtual ~HelpProvider() = default;
    virtual void showTopic(int context) = 0;
    virtual void showContents() = 0;
    virtual void showIndex() = 0;
};

// The provider of the running application (never null: requests go nowhere
// until one is installed).
HelpProvider &help();
void installHelpProvider(HelpProvider *provider);

} // namespace marbelo
