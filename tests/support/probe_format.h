#pragma once
// The record korvane_probe.exe keeps of each start. No Windows dependency:
// the format is also built natively and checked with sanitizers.
//
// The log is UTF-16LE text without a byte order mark, one line per start,
// ended by "\n". A line holds four fields separated by tabs: the command line,
// the current folder, the STARTF_USESHOWWINDOW flag (0 or 1) and
// STARTUPINFO.wShowWindow in decimal. In the two text fields "%", tab,
// carriage return and line feed are written as %25, %09, %0D and %0A.

#include <string>
#include <vector>

struct ProbeRecord {
    std::wstring commandLine;
    std::wstring currentFolder;
    bool showWindowGiven = false;  // STARTF_USESHOWWINDOW was set
    int showWindow = 0;            // wShowWindow

    bool operator==(const ProbeRecord&) const = default;
};

// One line of the log, with its "\n".
std::wstring EncodeProbeRecord(const ProbeRecord& record);

// The complete, well-formed lines of a log; a torn or damaged line is skipped.
std::vector<ProbeRecord> DecodeProbeLog(const std::wstring& text);
