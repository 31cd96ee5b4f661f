// Any file as Ventrose.inf: the loader takes its first thirty lines (CR LF, LF or CR) as
// the slots, and a save then load gives the same slots back.
#include "FuzzCheck.h"

#include "settings/SettingsStore.h"

#include <sys/mman.h>
#include <unistd.h>

namespace {

// The slots as the file's lines say: what the loader must find.
std::vector<std::string> ExpectedSlots(std::string_view bytes) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < bytes.size() && lines.size() <= 30; ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
            lines.emplace_back();
        } else {
            lines.back().push_back(c);
        }
    }
    lines.resize(30);
    return lines;
}

std::vector<std::string> Slots(const settings::SettingsStore &store) {
    std::vector<std::string> texts;
    for (int slot = 1; slot <= 30; ++slot)
        texts.push_back(store.Get(slot));
    return texts;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const int fd = memfd_create("Ventrose.inf", MFD_CLOEXEC);
    FUZZ_CHECK(fd >= 0);
    FUZZ_CHECK(::write(fd, data, size) == ssize_t(size));
    settings::SettingsStore store;
    store.LoadSettings(QString("/proc/self/fd/%1").arg(fd));
    ::close(fd);
    const auto loaded = Slots(store);
    FUZZ_CHECK(loaded == ExpectedSlots({reinterpret_cast<const char *>(data), size}));

    const QString saved = QString::fromStdString(fuzz::ScratchDir() + "/Ventrose.inf");
    store.SaveSettings(saved);
    settings::SettingsStore again;
    again.LoadSettings(saved);
    FUZZ_CHECK(Slots(again) == loaded);
    return 0;
}
