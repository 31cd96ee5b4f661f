// The commands the compass module understands, as it reads them from the line.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sim {

// The module's parameters, from "!" options "A" sign centring "B" sign declination "C&".
struct CompassParameters {
    int options = 0;     // 0..255
    int centring = 0;    // -20..20
    int declination = 0; // -10..10; positive is west ("+")
    std::string text;    // the message as received

    friend bool operator==(const CompassParameters &, const CompassParameters &) = default;
};

// Parses one whole parameter message, "&" included; nothing for any other text, a field
// out of its range, a missing field or a missing sign.
std::optional<CompassParameters> ParseParameterMessage(std::string_view message);

// Cuts the received byte stream into commands, each ending with "&". Bytes that never
// reach an "&" within a command's longest length are given up as noise.
class CommandSplitter {
public:
    static constexpr std::size_t kLongestCommand = 32;

    // Adds received bytes; calls onCommand(text) for each complete command ("&"
    // included) and onNoise(text) for each run of bytes given up.
    template <typename OnCommand, typename OnNoise>
    void Feed(std::string_view bytes, OnCommand &&onCommand, OnNoise &&onNoise) {
        for (char c : bytes) {
            pending_.push_back(c);
            if (c == '&') {
                onCommand(std::string(pending_));
                pending_.clear();
            } else if (pending_.size() >= kLongestCommand) {
                onNoise(std::string(pending_));
                pending_.clear();
            }
        }
    }

private:
    std::string pending_;
};

} // namespace sim
