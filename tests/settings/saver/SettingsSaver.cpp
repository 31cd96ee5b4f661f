// The program that the settings kill test starts and kills: it saves the settings file
// named by its argument over and over, version after version, and reports each version on
// its standard output once its save has returned.
#include "SaverContent.h"

#include "settings/SettingsStore.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv) {
    if (argc != 3)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    for (long version = std::atol(argv[2]) + 1;; ++version) {
        settings::SettingsStore store;
        const auto texts = saver::Slots(version);
        for (int slot = 1; slot <= settings::SettingsStore::SlotCount; ++slot)
            store.Set(slot, texts[std::size_t(slot - 1)]);
        store.SaveSettings(path);
        std::printf("%ld\n", version);
        std::fflush(stdout);
    }
}
