// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>

// Keeps each benchmark's real time per iteration so that main() can print
// ratios: the median when the runs are repeated (--benchmark_repetitions=N),
// which a shared machine's noise moves far less than a single run, the
// single time otherwise.
class MedianReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            const std::string& name = run.run_name.function_name;
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians[name] = run.GetAdjustedRealTime();
            else if (run.run_type == Run::RT_Iteration && !medians.count(name))
                times[name] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }

    double time(const std::string& name) const
    {
        const auto median = medians.find(name);
        if (median != medians.end())
            return median->second;
        const auto single = times.find(name);
        return single != times.end() ? single->second : 0.0;
    }

private:
    std::map<std::string, double> times;
    std::map<std::string, double> medians;
};
