#pragma once

#include <QString>

// Start-up is measured in fresh processes: the benchmark starts itself again
// with one of these modes and reads back the child's figures.
namespace Startup {

inline constexpr const char *childFlag = "--startup-child";

struct Figures
{
    double mainMs = 0;
    double stockMs = 0;
    double bareMs = 0;
    double mainRssKiB = 0;
    double stockRssKiB = 0;
    double bareRssKiB = 0;
};

// Medians over runs of each kind, started in turn.
Figures measure(const QString &benchmark, int runs);

// The child: shows the main window (kind "main"), the same window built of stock
// Qt widgets ("stock") or a bare Qt window of the same size ("bare"), and prints
// the time from startedNs to its first frame and its resident memory then.
// Never returns.
[[noreturn]] void runChild(int argc, char *argv[]);

} // namespace Startup
