// A received chunk through the reading parser and the heading computation, with any
// correction slots: the first byte is the chunk's length, the rest the slots 8 to 11
// (declination sign and value, centring sign and value), one a line.
#include "FuzzCheck.h"

#include "compass/Angles.h"
#include "mainwindow/Heading.h"
#include "platform/app/Errors.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::size_t length = std::min<std::size_t>(data[0], size - 1);
    const std::string chunk(reinterpret_cast<const char *>(data + 1), length);
    const auto corrections = fuzz::Fields(data + 1 + length, size - 1 - length);

    const auto reading = app::ParseReading(chunk);
    if (!reading)
        return 0;
    FUZZ_CHECK(*reading >= 0 && *reading <= compass::kMaxRawReading);
    FUZZ_CHECK(chunk.find_first_not_of(" +-0123456789") == std::string::npos);
    const int degrees = compass::RawToDegrees(*reading);
    FUZZ_CHECK(degrees >= 1 && degrees <= 360);

    settings::SettingsStore store;
    for (std::size_t i = 0; i < corrections.size() && i < 4; ++i)
        store.Set(settings::DeclinationSignSlot + int(i), corrections[i]);
    store.Set(settings::DegreesDisplaySlot, "ONCAP");
    store.Set(settings::DirectionDisplaySlot, "ONORIENT");
    const settings::SettingsView view(store);
    app::HeadingState heading;
    try {
        heading.ApplyReading(*reading, view);
    } catch (const platform::EConvertError &) {
        FUZZ_CHECK(heading.LastRawAngle() == degrees);
        FUZZ_CHECK(heading.HeadingSum() == 0); // the previous sum stays
    }
    heading.UpdateAngles();
    FUZZ_CHECK(heading.NeedleAngle() >= 0 && heading.NeedleAngle() < 360);
    FUZZ_CHECK((heading.NeedleAngle() + heading.CapAngle()) % 360 == 0);
    const app::HeadingLabels labels = heading.Labels(view);
    FUZZ_CHECK(labels.Label7.Visible && !labels.Label10.Caption.isEmpty());
    app::DeclinationStatusText(view);
    return 0;
}
