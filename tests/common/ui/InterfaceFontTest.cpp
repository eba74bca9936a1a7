// The interface font: a font that holds every Polish letter is kept as it is.
// (The pinned branch needs a system font without them, as Wine's; the Windows
// check's screenshot shows it.)

#include "common/ui/InterfaceFont.h"
#include "documents/DocumentFont.h"

#include <gtest/gtest.h>

using namespace marbelo;

TEST(InterfaceFont, AFontWithEveryPolishLetterIsKept)
{
    for (const double size : {8.0, 11.5}) {
        const QFont font = documentFont(size);
        ASSERT_TRUE(hasPolishLetters(font));
        EXPECT_EQ(interfaceFont(font), font);
    }
}
