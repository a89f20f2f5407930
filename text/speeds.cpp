#include "speeds.h"

#include <algorithm>

#include "number_reading.h"

int HeldToSpeedRange(int value) { return std::clamp(value, -SpeedLimit, SpeedLimit); }

std::optional<Speeds> ReadSpeeds(std::string_view text, std::string* problem) {
    const std::vector<std::string_view> fields = SplitText(text, ',');
    if (fields.size() != Speeds{}.size()) {
        if (problem) *problem = "expected 4 comma-separated whole numbers, got " + Quoted(text);
        return std::nullopt;
    }
    Speeds speeds{};
    for (std::size_t bar = 0; bar < speeds.size(); ++bar) {
        const std::optional<int> value = ReadWholeNumber(fields[bar], -SpeedLimit, SpeedLimit, problem);
        if (!value) return std::nullopt;
        speeds[bar] = *value;
    }
    return speeds;
}

std::string SpeedsText(const Speeds& speeds) {
    std::string text;
    for (std::size_t bar = 0; bar < speeds.size(); ++bar) text += (bar ? "," : "") + std::to_string(speeds[bar]);
    return text;
}
