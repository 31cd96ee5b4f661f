// Memory figures from /proc/meminfo's text, the mailto builder, and the screen queries.
#include "platform/desktop/SystemInfo.h"
#include "platform/desktop/Shell.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace {

using platform::ParseMemInfo;

TEST(SystemInfo, ReadsTotalAvailableAndLoad) {
    const auto status = ParseMemInfo("MemTotal:        262144 kB\n"
                                     "MemFree:          10000 kB\n"
                                     "MemAvailable:     65536 kB\n"
                                     "Buffers:           1000 kB\n");
    EXPECT_EQ(status.totalPhysical, 268435456u);
    EXPECT_EQ(status.availablePhysical, 65536u * 1024u);
    EXPECT_EQ(status.memoryLoad, 75);
}

TEST(SystemInfo, OlderKernelsAndOddTextsGiveSaneFigures) {
    // No MemAvailable: free + buffers + cache; a rounded load.
    auto status =
        ParseMemInfo("MemTotal: 3000 kB\nMemFree: 1000 kB\nBuffers: 500 kB\nCached: 499 kB\n");
    EXPECT_EQ(status.availablePhysical, 1999u * 1024u);
    EXPECT_EQ(status.memoryLoad, 33);
    // Nothing readable: zeros, no division by zero.
    status = ParseMemInfo("garbage");
    EXPECT_EQ(status.totalPhysical, 0u);
    EXPECT_EQ(status.memoryLoad, 0);
    // Available above total (a racing read) is capped: load 0, never negative.
    status = ParseMemInfo("MemTotal: 100 kB\nMemAvailable: 200 kB\n");
    EXPECT_EQ(status.availablePhysical, 100u * 1024u);
    EXPECT_EQ(status.memoryLoad, 0);
}

TEST(SystemInfo, ThisMachineAndScreenAnswer) {
    const auto status = platform::QueryMemoryStatus();
    EXPECT_GT(status.totalPhysical, 0u);
    EXPECT_LE(status.availablePhysical, status.totalPhysical);
    EXPECT_FALSE(platform::ScreenSize().isEmpty());
    QWidget widget;
    EXPECT_GT(platform::BitsPerPixel(&widget), 0);
    EXPECT_GT(platform::BitsPerPixel(), 0);
}

TEST(Shell, MailtoEncodesTheSubject) {
    EXPECT_EQ(platform::MailtoAddress("auteur@exemple.fr", "Boussole Ventrose & co ?"),
              "mailto:auteur@exemple.fr?subject=Boussole%20Ventrose%20%26%20co%20%3F");
    EXPECT_EQ(platform::MailtoAddress("a@b.fr", "é"), "mailto:a@b.fr?subject=%C3%A9");
}

} // namespace
