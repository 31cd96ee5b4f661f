// Any bytes as an INI file: read back the same after one rewrite, a value set reads back
// as itself, and the port's settings loaded from it survive a save and a load.
#include "FuzzCheck.h"

#include "serial/persistence/IniFile.h"
#include "serial/port/SerialPort.h"
#include "support/StoredPortSettings.h"

#include <fcntl.h>
#include <unistd.h>

namespace {

void CheckPortSettings(const std::string &text) {
    const std::string path = fuzz::ScratchDir() + "/port.ini";
    {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        FUZZ_CHECK(fd >= 0 && ::write(fd, text.data(), text.size()) == ssize_t(text.size()));
        ::close(fd);
    }
    const serial::TStoredGroups all{serial::sgBasic,    serial::sgFlowControl, serial::sgBuffer,
                                    serial::sgTimeouts, serial::sgParity,      serial::sgOthers};
    serial::TSerialPort loaded, reloaded;
    for (serial::TSerialPort *port : {&loaded, &reloaded}) {
        port->SetName("SerialPort1");
        port->SetStoredGroups(all);
    }
    serial::TIniFile ini(path);
    loaded.LoadFromIni(ini);
    try {
        loaded.SaveToIni(ini);
    } catch (const serial::EIniFileError &) {
        return; // a port name that no line can carry
    }
    serial::TIniFile again(path);
    reloaded.LoadFromIni(again);
    FUZZ_CHECK(serial::testing::StoredSettings(reloaded) ==
               serial::testing::StoredSettings(loaded));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string text(reinterpret_cast<const char *>(data), size);
    const serial::IniDocument document(text);
    const std::string rewritten = document.Text();
    FUZZ_CHECK(serial::IniDocument(rewritten).Text() == rewritten);

    // The first three lines as a section, a key and a value to set.
    const auto fields = fuzz::Fields(data, size);
    if (fields.size() >= 3) {
        serial::IniDocument changed(text);
        try {
            changed.SetValue(fields[0], fields[1], fields[2]);
            FUZZ_CHECK(changed.Value(fields[0], fields[1]) == fields[2]);
            FUZZ_CHECK(serial::IniDocument(changed.Text()).Value(fields[0], fields[1]) ==
                       fields[2]);
        } catch (const serial::EIniFileError &) {
        }
    }
    CheckPortSettings(text);
    return 0;
}
