// The settings that the saver writes as its n-th version: thirty slots, long enough that a
// file written in place could be caught half-written, and different for every version.
#pragma once

#include <array>
#include <string>

namespace saver {

inline std::array<std::string, 30> Slots(long version) {
    std::array<std::string, 30> texts;
    texts[0] = std::to_string(version);
    for (std::size_t i = 1; i < texts.size(); ++i)
        texts[i] = std::string(400 + std::size_t(version * 7 + long(i)) % 400,
                               char('a' + std::size_t(version + long(i)) % 26));
    return texts;
}

inline std::string FileText(long version) {
    std::string text;
    for (const std::string &slot : Slots(version))
        text += slot + "\r\n";
    return text;
}

} // namespace saver
