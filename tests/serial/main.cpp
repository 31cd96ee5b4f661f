// Test program of the serial port component: Qt-free, a plain GoogleTest main.
#include <gmock/gmock.h>

int main(int argc, char **argv) {
    ::testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
