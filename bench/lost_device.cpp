// A device lost under an open port a hundred times in a row (hang-ups and removals of a
// pseudo-terminal, in turn), through the port component: each loss must be reported, the
// port must close and open again on the device once it is back, and at the end no
// descriptor or thread may be left. For each loss it also measures the process's CPU time
// over a quiet second with the port still open on the lost device, against the same
// second with the port open on a live, idle device.
//
//     lost_device [cycles]     (default 100)
#include "PortLossCycle.h"

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>

namespace {

using serial::testing::CountEntries;
using serial::testing::PortLossCycle;

double CpuMilliseconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

// CPU time of the whole process over a second in which this thread only sleeps.
double QuietSecondCpu() {
    const double before = CpuMilliseconds();
    std::this_thread::sleep_for(std::chrono::seconds(1));
    return CpuMilliseconds() - before;
}

} // namespace

int main(int argc, char **argv) {
    const int cycles = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
    const int descriptors = CountEntries("fd");
    const int threads = CountEntries("task");
    double idleCpu = 0, lostCpu = 0, worstLost = 0;
    int done = 0;
    {
        PortLossCycle cycle;
        if (const std::string error = cycle.OpenAndExchange(); !error.empty()) {
            std::fprintf(stderr, "first open: %s\n", error.c_str());
            return 1;
        }
        for (; done < cycles; ++done) {
            const auto loss = done % 2 ? PortLossCycle::Loss::Removal : PortLossCycle::Loss::HangUp;
            idleCpu += QuietSecondCpu();
            if (!cycle.Lose(loss)) {
                std::fprintf(stderr, "cannot hang a terminal up here (needs CAP_SYS_ADMIN)\n");
                return 1;
            }
            if (!cycle.LossReported() || !cycle.WorkerEnded()) {
                std::fprintf(stderr, "cycle %d: the loss was not reported\n", done + 1);
                return 1;
            }
            const double lost = QuietSecondCpu();
            lostCpu += lost;
            worstLost = std::max(worstLost, lost);
            if (const std::string error = cycle.CloseAndReopen(loss); !error.empty()) {
                std::fprintf(stderr, "cycle %d: %s\n", done + 1, error.c_str());
                return 1;
            }
        }
        cycle.Close();
    }
    const int descriptorsAfter = CountEntries("fd");
    const int threadsAfter = CountEntries("task");
    const int leakedDescriptors = descriptorsAfter - descriptors;
    const int leakedThreads = threadsAfter - threads;
    std::printf("%d losses (hang-ups and removals in turn), each reported; the port closed and "
                "opened again every time\n",
                done);
    std::printf("CPU over a quiet second: %.2f ms with the port open on an idle device, "
                "%.2f ms with it open on the lost device (worst %.2f ms)\n",
                idleCpu / done, lostCpu / done, worstLost);
    std::printf("descriptors: %d before, %d after; threads: %d before, %d after\n", descriptors,
                descriptorsAfter, threads, threadsAfter);
    return leakedDescriptors == 0 && leakedThreads == 0 ? 0 : 1;
}
