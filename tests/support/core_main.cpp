// Entry of the test executables that need no widgets.

#include "support/ServerBackEnd.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    testing_support::putDatabasesOnServerWhenAsked();
    return RUN_ALL_TESTS();
}
