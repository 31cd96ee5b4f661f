// The main window's status bar: its panels, in order from the left, and where they sit.
#pragma once

#include <array>

namespace app {

enum class StatusPanel {
    Operation,   // the operation in progress with the module
    Deviation,   // where a deviation card is applied; shown only while one is
    Declination, // the declination of the settings ("DM: ...")
};

inline constexpr int kStatusPanelCount = static_cast<int>(StatusPanel::Declination) + 1;
// Where the declination's panel starts; the operation's and the deviation's share what is on
// its left, the declination's takes what is left of the bar.
inline constexpr int kDeclinationPanelLeft = 300;

struct PanelSpan {
    int x = 0, width = 0; // pixels; a width of 0 hides the panel

    friend bool operator==(const PanelSpan &, const PanelSpan &) = default;
};

// The panels' spans for a deviation panel `deviationWidth` wide (0 when no card is applied:
// the bar is then as it is without the deviation's panel). The deviation's panel is taken
// from the operation's, which keeps enough room for its texts ("Communication établie...").
constexpr std::array<PanelSpan, kStatusPanelCount> StatusPanelSpans(int clientWidth,
                                                                    int deviationWidth) {
    constexpr int kNarrowestOperation = 130;
    const int deviation = deviationWidth < 0 ? 0
                          : deviationWidth > kDeclinationPanelLeft - kNarrowestOperation
                              ? kDeclinationPanelLeft - kNarrowestOperation
                              : deviationWidth;
    const int operation = kDeclinationPanelLeft - deviation;
    return {PanelSpan{0, operation}, PanelSpan{operation, deviation},
            PanelSpan{kDeclinationPanelLeft, clientWidth - kDeclinationPanelLeft}};
}

} // namespace app
