#include <gtest/gtest.h>

#include <QCoreApplication>

// QProcess and QTcpSocket want an application object; no event loop is run: every wait in
// these tests is a blocking wait with a deadline.
int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
