// What the about box tells of the computer: physical memory and the screen.
#pragma once

#include <QSize>
#include <QString>

#include <cstdint>

class QWidget;

namespace platform {

struct MemoryStatus {
    std::uint64_t totalPhysical = 0;     // bytes
    std::uint64_t availablePhysical = 0; // bytes
    // Percentage of physical memory in use, 0 to 100: (total - available) / total, rounded.
    int memoryLoad = 0;
};

// Reads /proc/meminfo's text: MemTotal and MemAvailable (or, on kernels without the latter,
// MemFree + Buffers + Cached). Missing values give zeros.
MemoryStatus ParseMemInfo(const QString &text);
MemoryStatus QueryMemoryStatus();

// The primary screen's size in pixels.
QSize ScreenSize();
// Bits per pixel of the widget's drawing surface (the screen's depth when none is given).
int BitsPerPixel(const QWidget *widget = nullptr);

} // namespace platform
