#include "median_reporter.h"

void MedianReporter::ReportRuns(const std::vector<Run>& runs) {
    for (const Run& run : runs) {
        if (run.error_occurred || run.run_type != Run::RT_Aggregate || run.aggregate_name != "median") continue;
        const double seconds = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        medians_[run.run_name.function_name] = seconds;
    }
    ConsoleReporter::ReportRuns(runs);
}

std::optional<double> MedianReporter::MedianSeconds(const std::string& name) const {
    const auto found = medians_.find(name);
    if (found == medians_.end()) return std::nullopt;
    return found->second;
}
