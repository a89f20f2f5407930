#pragma once

#include <QString>
#include <string_view>

// The model's UTF-8 texts as Qt takes them.
inline QString QtText(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }
