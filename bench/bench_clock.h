#pragma once
// The benchmark's clock and the statistics of its samples.

#include <windows.h>

#include <functional>
#include <vector>

double Microseconds();
double Median(std::vector<double> values);
double Percentile95(std::vector<double> values);
// Dispatches what is waiting in this thread's queue.
void PumpPending();
// Waits up to timeoutMs for done(), looking every millisecond.
bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs);
