#include "common/ui/HelpContext.h"

#include <QObject>
#include <QPalette>
#include <QVariant>
#include <QWidget>

namespace marbelo {

namespace {

constexpr char kProperty[] = "helpContext";

class NoHelp : public HelpProvider
{
public:
    void showTopic(int) override {}
    void showContents() override {}
    void showIndex() override {}
};

NoHelp g_noHelp;
HelpProvider *g_provider = &g_noHelp;

} // namespace

void setHelpContext(QObject *object, int context)
{
    object->setProperty(kProperty, context);
}

int helpContext(const QObject *object)
{
    return object ? object->property(kProperty).toInt() : 0;
}

HelpProvider &help()
{
    return *g_provider;
}

void installHelpProvider(HelpProvider *provider)
{
    g_provider = provider ? provider : &g_noHelp;
}

} // namespace marbelo
