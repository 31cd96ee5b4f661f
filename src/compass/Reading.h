// One valid reading of the module as the program works it out, stamped with the time it was
// received: what the main window shows, what the heading output sends and what the heading
// log keeps all come from this one value, made once where the main window takes the reading.
// No Qt.
#pragma once

#include <chrono>
#include <cstdint>

namespace compass {

// UTC, to the millisecond.
using ReadingTime = std::chrono::sys_time<std::chrono::milliseconds>;

struct Reading {
    ReadingTime time{};        // when it was received
    int raw = 0;               // the module's value, 0..254
    int lastRawAngle = 0;      // that value in degrees, before any correction (1..360)
    long long centring = 0;    // the zero-centring added to the heading sum, signed
    long long declination = 0; // the declination added to the heading sum (positive: west)
    int headingSum = 0;        // lastRawAngle + 180 + centring + declination
    int needleAngle = 0;       // the red needle's angle, 0..359
    int capAngle = 0;          // the user's heading ("Votre CAP"), 0..359
    int magneticHeading = 0;   // the user's heading with the centring, without the declination
    int variationEast = 0;     // the declination as a variation, east positive, -179..180

    std::int64_t MillisecondsSinceEpoch() const { return time.time_since_epoch().count(); }
    bool operator==(const Reading &) const = default;
};

// The heading sum of a reading: beyond the int range it keeps only its direction.
int HeadingSumOf(int lastRawAngle, long long centring, long long declination);

// Every heading of a valid reading, from the module's value, that value in degrees and the
// corrections given to the heading sum; its time is left for the caller to stamp.
Reading WorkOut(int raw, int lastRawAngle, long long centring, long long declination);

} // namespace compass
