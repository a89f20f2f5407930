#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Reading the numbers and lists people and programs write: on the command
// line, in a view text, in line data. Nothing here allocates but the
// messages, so a reader of millions of numbers can call it for each.

// What is wrong with a number's text.
enum class NumberFault { None, NotANumber, OutOfRange };

// [+|-]digits[.digits][(e|E)[+|-]digits], with digits on at least one side of
// the point, as the nearest float, ties to even. A value too small for a
// float gives a subnormal or a signed zero; one beyond the float range is
// OutOfRange; any other text (spaces, "nan", "inf", hex) is NotANumber.
NumberFault ReadDecimal(std::string_view text, float& value);
NumberFault ReadDecimal(std::string_view text, double& value);
// The same conversion by the portable route alone, for the test that both agree.
NumberFault ReadDecimalPortable(std::string_view text, float& value);

// The longest decimal of that form at the start of [first, last), for readers
// that take many numbers from one text and look at what follows each: where
// it ends (`first` where none starts there, with NotANumber) and what is
// wrong with it. An 'e' without digits after it ends the number before it.
struct DecimalRead {
    const char* end;
    NumberFault fault;
};
DecimalRead ReadDecimalAt(const char* first, const char* last, float& value);
DecimalRead ReadDecimalAtPortably(const char* first, const char* last, float& value);

// A whole decimal number, an optional sign and digits only.
NumberFault ReadWhole(std::string_view text, long long& value);

// The same with a message for the user on failure: "\"0.4x\" is not a
// number", "\"51\" is outside -50..50".
std::optional<float> ReadFloat(std::string_view text, std::string* problem = nullptr);
std::optional<int> ReadWholeNumber(std::string_view text, int low, int high, std::string* problem = nullptr);

// The parts of `text` between the separators (one part more than separators).
std::vector<std::string_view> SplitText(std::string_view text, char separator);

// A user's text in double quotes for a message, its control characters
// written as escapes (\n, \t, \x1b), so that the message stays one line.
std::string Quoted(std::string_view text);

// Names to choose from, for a message: "png, bmp or webm".
std::string ChoiceText(const std::vector<std::string_view>& names);
