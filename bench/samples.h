#pragma once

#include <QtGlobal>

// What every measuring process shares with the benchmark's parent.

// The steady clock in ns, the same in every process on the machine.
[[nodiscard]] qint64 steadyNs();

// The process's peak resident size so far, in MiB, from the kernel.
[[nodiscard]] double peakResidentMiB();

// Hands one sample of a figure to the parent, on stdout.
void reportSample(const char* figure, double value);
