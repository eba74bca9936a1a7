// library import: PDF decks and pictures into one topic file.

#include "Tool.h"

#include "topics/OwnTopics.h"

using namespace marbelo;

namespace tool {

int libraryImport(const QStringList &args)
{
    if (args.size() < 3)
        return usage(QStringLiteral("library import needs OUT.mdl, TITLE and at least one FILE"));
    const ImportResult result = importTopicFile(args[0], args[1], args.mid(2));
    if (!result.ok())
        return fail(result.message);
    return kOk;
}

} // namespace tool
