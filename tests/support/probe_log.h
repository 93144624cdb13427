#pragma once
// Reading what korvane_probe.exe recorded (format in probe_format.h). The
// probe is built beside the test programs; it appends to the file that the
// environment variable KORVANE_PROBE_LOG names, which programs started from
// a test inherit.

#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/probe_format.h"
#include "tests/support/sandbox.h"

// BuildFolder() + "korvane_probe.exe".
std::wstring ProbeProgramPath();

// Every record of the log so far; none when the file does not exist.
std::vector<ProbeRecord> ReadProbeLog(const std::wstring& path);

// Waits until the log holds at least `count` records or the time is up, and
// returns what it holds then. Messages of this thread keep flowing meanwhile.
std::vector<ProbeRecord> WaitForProbeRecords(const std::wstring& path, size_t count,
                                             DWORD timeoutMs = 10000);

// Points KORVANE_PROBE_LOG at "probe.log" in the given folder while it lives
// and puts the previous value back afterwards.
class ProbeLogScope {
public:
    explicit ProbeLogScope(const std::wstring& folder);
    ProbeLogScope(const ProbeLogScope&) = delete;
    ProbeLogScope& operator=(const ProbeLogScope&) = delete;

    const std::wstring& Path() const { return path_; }
    std::vector<ProbeRecord> Records() const { return ReadProbeLog(path_); }
    std::vector<ProbeRecord> WaitFor(size_t count, DWORD timeoutMs = 10000) const
    {
        return WaitForProbeRecords(path_, count, timeoutMs);
    }

private:
    std::wstring path_;
    ScopedEnvironment variable_;
};
