#include "bench/samples.h"

#include <sys/resource.h>

#include <chrono>
#include <cstdio>

qint64 steadyNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double peakResidentMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0; // kB
}

void reportSample(const char* figure, double value)
{
    std::printf("%s\t%.6f\n", figure, value);
    std::fflush(stdout);
}
