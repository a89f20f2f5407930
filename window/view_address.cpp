#include "view_address.h"

#include <array>
#include <charconv>
#include <cinttypes>
#include <cstdio>
#include <vector>

#include "catalogue.h"
#include "float_text.h"
#include "number_reading.h"

namespace {

constexpr std::string_view Version = "v1";

struct AddressError {
    std::string message;
};

[[noreturn]] void Refuse(std::string_view field, const std::string& why) {
    throw AddressError{std::string(field) + ": " + why};
}

std::vector<std::string_view> Values(std::string_view field, std::string_view text, std::size_t count) {
    std::vector<std::string_view> values = SplitText(text, ',');
    if (values.size() != count)
        Refuse(field, "expected " + std::to_string(count) + " comma-separated values, got " + Quoted(text));
    return values;
}

// A reader's answer, or the field's refusal with the reader's reason.
template <typename T>
T Checked(std::string_view field, std::optional<T> value, const std::string& problem) {
    if (!value) Refuse(field, problem);
    return *value;
}

float Number(std::string_view field, std::string_view text) {
    std::string problem;
    return Checked(field, ReadFloat(text, &problem), problem);
}

bool Flag(std::string_view field, std::string_view text) {
    if (text != "0" && text != "1") Refuse(field, Quoted(text) + " is neither 0 nor 1");
    return text == "1";
}

std::uint64_t RandomState(std::string_view text) {
    std::uint64_t state = 0;
    const char* end = text.data() + text.size();
    const bool hex = text.size() == 16 && std::from_chars(text.data(), end, state, 16).ptr == end;
    if (!hex) Refuse("random", "expected 16 hex digits, got " + Quoted(text));
    return state;
}

std::string Hex16(std::uint64_t value) {
    char digits[17];
    std::snprintf(digits, sizeof digits, "%016" PRIx64, value);
    return digits;
}

struct Field {
    std::string_view name;
    void (*read)(ViewAddress&, std::string_view);
};

// The fields in the order they are written.
constexpr std::array<Field, 7> Fields{{
    {"row",
     [](ViewAddress& a, std::string_view v) {
         std::string problem;
         a.view.StructureIndex = std::int16_t(Checked("row", ReadWholeNumber(v, 0, CatalogueSize, &problem), problem));
     }},
    {"angles",
     [](ViewAddress& a, std::string_view v) {
         const std::vector<std::string_view> n = Values("angles", v, 3);
         a.view.AngleX = Number("angles", n[0]), a.view.AngleY = Number("angles", n[1]);
         a.view.AngleZ = Number("angles", n[2]);
     }},
    {"time", [](ViewAddress& a, std::string_view v) { a.view.AnimTime = Number("time", v); }},
    {"speeds",
     [](ViewAddress& a, std::string_view v) {
         std::string problem;
         a.speeds = Checked("speeds", ReadSpeeds(v, &problem), problem);
     }},
    {"axes", [](ViewAddress& a, std::string_view v) { a.showAxis = Flag("axes", v); }},
    {"timer", [](ViewAddress& a, std::string_view v) { a.timerRunning = Flag("timer", v); }},
    {"random", [](ViewAddress& a, std::string_view v) { a.randomState = RandomState(v); }},
}};

void CheckVersion(std::string_view first) {
    if (first == Version) return;
    const bool versioned = first.size() > 1 && first[0] == 'v' && first.find('=') == std::string_view::npos;
    if (versioned) throw AddressError{"unknown version " + Quoted(first) + " (this program reads v1)"};
    throw AddressError{"it does not start with the version v1 (found " + Quoted(first) + ")"};
}

void ReadField(ViewAddress& address, std::array<bool, Fields.size()>& seen, std::string_view field) {
    const std::size_t equals = field.find('=');
    if (field.empty()) throw AddressError{"an empty field (two ';' together, or one at the end)"};
    if (equals == std::string_view::npos) throw AddressError{Quoted(field) + " is not name=value"};
    const std::string_view name = field.substr(0, equals);
    for (std::size_t i = 0; i < Fields.size(); ++i) {
        if (Fields[i].name != name) continue;
        if (seen[i]) throw AddressError{std::string(name) + " is given twice"};
        seen[i] = true;
        Fields[i].read(address, field.substr(equals + 1));
        return;
    }
    throw AddressError{"unknown field " + Quoted(name)};
}

ViewAddress ReadAddress(std::string_view text) {
    const std::size_t hash = text.find('#');
    const std::string_view fragment = hash == std::string_view::npos ? text : text.substr(hash + 1);
    if (fragment.empty()) throw AddressError{"the address is empty"};
    const std::vector<std::string_view> fields = SplitText(fragment, ';');
    CheckVersion(fields[0]);
    ViewAddress address;
    std::array<bool, Fields.size()> seen{};
    for (std::size_t i = 1; i < fields.size(); ++i) ReadField(address, seen, fields[i]);
    std::string missing;
    for (std::size_t i = 0; i < Fields.size(); ++i)
        if (!seen[i]) missing += (missing.empty() ? "" : ", ") + std::string(Fields[i].name);
    if (!missing.empty()) throw AddressError{"incomplete: no " + missing};
    return address;
}

}  // namespace

std::string ViewAddressText(const ViewAddress& address) {
    const ViewState& v = address.view;
    return std::string(Version) + ";row=" + std::to_string(v.StructureIndex) + ";angles=" + FloatText(v.AngleX) + "," +
           FloatText(v.AngleY) + "," + FloatText(v.AngleZ) + ";time=" + FloatText(v.AnimTime) +
           ";speeds=" + SpeedsText(address.speeds) + ";axes=" + (address.showAxis ? "1" : "0") +
           ";timer=" + (address.timerRunning ? "1" : "0") + ";random=" + Hex16(address.randomState);
}

std::optional<ViewAddress> ParseViewAddress(std::string_view text, std::string* problem) {
    try {
        return ReadAddress(text);
    } catch (const AddressError& error) {
        if (problem) *problem = error.message;
        return std::nullopt;
    }
}

void RestoreScene(Scene& scene, const ViewAddress& address) {
    scene.view = address.view;
    scene.showAxis = address.showAxis;
    scene.random.state = address.randomState;
}
