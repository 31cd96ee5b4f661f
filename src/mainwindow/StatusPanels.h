// The main window's status bar: its panels, in order from the left, and their widths.
#pragma once

#include <array>

namespace app {

enum class StatusPanel {
    Operation,   // the operation in progress with the module
    Declination, // the declination of the settings ("DM: ...")
};

// Widths in pixels; the last panel takes what is left of the bar.
inline constexpr std::array<int, 1> kStatusPanelWidths{300};
inline constexpr int kStatusPanelCount = static_cast<int>(StatusPanel::Declination) + 1;
static_assert(kStatusPanelWidths.size() == kStatusPanelCount - 1);

} // namespace app
