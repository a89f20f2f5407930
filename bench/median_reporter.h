#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

// The console report, keeping the median real time of every benchmark so
// main can print ratios once all have run.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override;
    std::optional<double> MedianSeconds(const std::string& name) const;

private:
    std::map<std::string, double> medians_;
};
