#include "window_json.h"

#include <cstdio>
#include <string_view>

#include "canvas.h"
#include "catalogue.h"
#include "control_table.h"
#include "window_texts.h"

namespace {

std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", unsigned(c));
            out += escaped;
        } else {
            out += c;  // UTF-8 goes through as it is
        }
    }
    return out + "\"";
}

std::string_view KindName(ControlKind kind) {
    switch (kind) {
    case ControlKind::DrawingArea: return "area";
    case ControlKind::Button: return "button";
    case ControlKind::ListBox: return "list";
    case ControlKind::CheckBox: return "check";
    case ControlKind::Label: return "label";
    case ControlKind::ScrollBar: return "scroll";
    }
    return "";
}

std::string Field(std::string_view key, const std::string& value) { return Quoted(key) + ":" + value; }
std::string Field(std::string_view key, std::string_view text) { return Field(key, Quoted(text)); }
std::string Field(std::string_view key, int number) { return Field(key, std::to_string(number)); }
std::string Field(std::string_view key, double number) {
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.17g", number);
    return Field(key, std::string(digits));
}

std::string Control(const ControlRow& row) {
    return "{" + Field("name", row.name) + "," + Field("kind", KindName(row.kind)) + "," +
           Field("caption", row.caption) + "," + Field("left", row.left) + "," + Field("top", row.top) + "," +
           Field("width", row.width) + "," + Field("height", row.height) + "," + Field("tabIndex", row.tabIndex) + "," +
           Field("accessibleName", row.accessibleName) + "," +
           Field("accessibleDescription", row.accessibleDescription) + "}";
}

}  // namespace

std::string WindowJson() {
    std::string controls, list;
    for (const ControlRow& row : ControlTable()) controls += (controls.empty() ? "" : ",") + Control(row);
    for (const CatalogueEntry& entry : Catalogue()) list += (list.empty() ? "" : ",") + Quoted(entry.listText);
    const std::string texts = "{" + Field("messageTitle", MessageTitle) + "," + Field("ok", OkCaption) + "," +
                              Field("aboutTitle", AboutTitle) + "," + Field("about", AboutText) + "," +
                              Field("pictureFile", PictureFileName) + "}";
    return "{" + Field("caption", WindowCaption) + "," + Field("width", ClientWidth) + "," +
           Field("height", ClientHeight) + "," + Field("twipsPerPixel", TwipsPerPixel) + "," +
           Field("pictureWidth", PictureWidth) + "," + Field("pictureHeight", PictureHeight) + "," +
           Field("minScale", Canvas::MinScale) + "," + Field("maxScale", Canvas::MaxScale) + "," +
           Field("timer", Quoted(TimerName)) + "," + Field("interval", TimerInterval) + "," +
           Field("speedMinimum", SpeedMinimum) + "," + Field("speedMaximum", SpeedMaximum) + "," +
           Field("speedStep", SpeedStep) + "," + Field("controls", "[" + controls + "]") + "," +
           Field("list", "[" + list + "]") + "," + Field("texts", texts) + "}";
}
