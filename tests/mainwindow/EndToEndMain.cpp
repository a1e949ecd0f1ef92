// End-to-end tests take the path of the built kanoby as their argument.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include "EndToEndSupport.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    if (argc > 1) {
        kanoby::e2e::ProgramUnderTest() = QString::fromLocal8Bit(argv[1]);
    }
    return RUN_ALL_TESTS();
}
