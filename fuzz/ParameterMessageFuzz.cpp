// The parameter message both ways: built from any five slot texts (one a line: option
// byte, centring sign and value, declination sign and value), where a slot that may not
// go on the line refuses the whole message; and any bytes as the module reads them.
#include "FuzzCheck.h"

#include "link/ParameterMessage.h"
#include "platform/app/Errors.h"
#include "sim/CompassCommands.h"

#include <algorithm>

namespace {

void CheckModuleSide(std::string_view bytes) {
    if (const auto parameters = sim::ParseParameterMessage(bytes)) {
        FUZZ_CHECK(parameters->options >= 0 && parameters->options <= 255);
        FUZZ_CHECK(parameters->centring >= -20 && parameters->centring <= 20);
        FUZZ_CHECK(parameters->declination >= -10 && parameters->declination <= 10);
        FUZZ_CHECK(parameters->text == bytes);
    }
    sim::CommandSplitter splitter;
    std::size_t seen = 0;
    splitter.Feed(
        bytes,
        [&](const std::string &command) {
            FUZZ_CHECK(command.back() == '&' &&
                       command.size() <= sim::CommandSplitter::kLongestCommand);
            FUZZ_CHECK(std::count(command.begin(), command.end(), '&') == 1);
            seen += command.size();
        },
        [&](const std::string &noise) {
            FUZZ_CHECK(noise.size() == sim::CommandSplitter::kLongestCommand);
            seen += noise.size();
        });
    FUZZ_CHECK(seen <= bytes.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    CheckModuleSide(bytes);

    const auto fields = fuzz::Fields(data, size);
    settings::SettingsStore store;
    const int slotNumbers[] = {settings::HardwareOptionsSlot, settings::CentringSignSlot,
                               settings::CentringSlot, settings::DeclinationSignSlot,
                               settings::DeclinationSlot};
    std::string message;
    try {
        // A text with a line break or a NUL is refused by the store itself.
        for (std::size_t i = 0; i < fields.size() && i < 5; ++i)
            store.Set(slotNumbers[i], fields[i]);
        message = app::BuildParameterMessage(store);
    } catch (const platform::Exception &) {
        return 0; // refused: nothing to send
    }
    // One command, whatever the slots held: it starts with "!" and only its end is "&".
    FUZZ_CHECK(message.front() == '!' && message.find('&') == message.size() - 1);
    FUZZ_CHECK(message.find_first_not_of("!0123456789AB+-C&") == std::string::npos);
    CheckModuleSide(message);
    return 0;
}
