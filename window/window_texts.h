#pragma once

#include <string>
#include <string_view>

// The window's own words, outside its controls: the About box, the messages,
// the export's questions and the read-outs' number form.
inline constexpr std::string_view MessageTitle = "Orbiza";
inline constexpr std::string_view OkCaption = "OK";
inline constexpr std::string_view AboutTitle = "About Orbiza";
inline constexpr std::string_view AboutText =
    "Orbiza - Developed by the Orbiza developers\r\n"
    "Contact me at orbiza@example.org or developers@example.org; the source code is yours on request.";
inline constexpr std::string_view SaveFilter = "Pictures (*.bmp)";
inline constexpr std::string_view OverwriteTitle = "Overwrite Confermation";
// The name a saved picture is offered under where no dialog asks for one.
inline constexpr std::string_view PictureFileName = "orbiza.bmp";

// Joined without blanks around the name, as the question always was.
std::string OverwriteQuestion(std::string_view fileName);
std::string SaveFailedMessage(std::string_view fileName, std::string_view reason);
std::string RunTimeErrorMessage(std::string_view what);

// A scroll-bar speed (value / 100) as its read-out shows it: a blank before
// zero or a positive number, a minus before a negative one, a period as the
// decimal point whatever the locale, no trailing zeros (" 0.25", "-0.5", " 0").
std::string SpeedText(int scrollValue);

// A number rounded to hundredths in the same form, without the blank: "0.4",
// "-12", "0". Values beyond 10^15 are given by their power of ten.
std::string DecimalText(double value);
