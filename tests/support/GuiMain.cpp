#include "support/TestEnvironment.h"

int main(int argc, char** argv) {
    return TestEnvironment::RunAllTests(argc, argv, TestEnvironment::Kind::Gui);
}
