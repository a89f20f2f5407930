#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

// The four speed bars' values, X, Y, Z and Time, each -SpeedLimit..SpeedLimit:
// what the window's bars stand at, what a timer tick adds (value / 100) and
// what the command line and the view text give as "x,y,z,time".
inline constexpr int SpeedLimit = 50;
using Speeds = std::array<int, 4>;
enum SpeedBar { SpeedX, SpeedY, SpeedZ, SpeedTime };

// A value held to the bars' range, as a bar stops at its ends.
int HeldToSpeedRange(int value);

// "x,y,z,time", whole numbers within the range; nothing, and why, otherwise.
std::optional<Speeds> ReadSpeeds(std::string_view text, std::string* problem = nullptr);
std::string SpeedsText(const Speeds& speeds);
