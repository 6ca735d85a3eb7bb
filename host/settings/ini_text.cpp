#include "host/settings/ini_text.h"

#include <cstddef>

#include "host/forms/decimal_number.h"

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kNewLine = "\r\n";

using forms::TrimBlanks;

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsCp932LeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (IsCp932LeadByte(static_cast<unsigned char>(a[i])) && i + 1 < a.size()) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
            ++i;
        } else if (AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

// One line of the text: where it starts, its content without the line end,
// and where the next line starts.
struct Line {
    std::size_t start = 0;
    std::string_view content;
    std::size_t next = 0;
};

Line LineAt(std::string_view text, std::size_t start) {
    const std::size_t end = text.find('\n', start);
    Line line;
    line.start = start;
    line.next = end == std::string_view::npos ? text.size() : end + 1;
    std::string_view content = text.substr(start, line.next - start);
    if (!content.empty() && content.back() == '\n') content.remove_suffix(1);
    if (!content.empty() && content.back() == '\r') content.remove_suffix(1);
    line.content = content;
    return line;
}

// A section header's name, or nothing for any other line. A "[" without
// its "]" still ends the section before it, but names none.
std::optional<std::string_view> HeaderName(std::string_view trimmed, bool* isHeader) {
    *isHeader = !trimmed.empty() && trimmed.front() == '[';
    if (!*isHeader) return std::nullopt;
    const std::size_t close = trimmed.rfind(']');
    if (close == std::string_view::npos || close == 0) return std::nullopt;
    return TrimBlanks(trimmed.substr(1, close - 1));
}

// Where a key stands in the text, or where it would go.
struct Place {
    bool sectionFound = false;
    std::optional<Line> keyLine;      // the key's line, when it is there
    std::size_t insertAt = 0;         // after the section's last line that is not blank
    bool insertNeedsLineEnd = false;  // that line is the text's last and has no line end
    std::string_view keyName;         // the key's name as the file spells it
    std::string_view value;           // its raw value, blanks around it dropped
};

Place Find(std::string_view text, std::string_view section, std::string_view key) {
    Place place;
    std::size_t start = text.substr(0, kUtf8Mark.size()) == kUtf8Mark ? kUtf8Mark.size() : 0;
    bool inSection = false;
    while (start < text.size()) {
        const Line line = LineAt(text, start);
        start = line.next;
        const std::string_view trimmed = TrimBlanks(line.content);
        bool isHeader = false;
        const std::optional<std::string_view> header = HeaderName(trimmed, &isHeader);
        if (isHeader) {
            if (place.sectionFound) break;  // only the first such section counts
            inSection = header && SameName(*header, section);
            if (inSection) {
                place.sectionFound = true;
                place.insertAt = line.next;
                place.insertNeedsLineEnd = line.next == text.size() && text.back() != '\n';
            }
            continue;
        }
        if (!inSection || trimmed.empty()) continue;
        place.insertAt = line.next;
        place.insertNeedsLineEnd = line.next == text.size() && text.back() != '\n';
        if (trimmed.front() == ';') continue;
        const std::size_t equals = trimmed.find('=');
        const std::string_view name = TrimBlanks(trimmed.substr(0, equals));
        if (!SameName(name, key)) continue;
        place.keyLine = line;
        place.keyName = name;
        place.value = equals == std::string_view::npos ? std::string_view()
                                                       : TrimBlanks(trimmed.substr(equals + 1));
        return place;
    }
    return place;
}

}  // namespace

std::optional<std::string> IniTextValue(std::string_view text, std::string_view section,
                                        std::string_view key) {
    const Place place = Find(text, section, key);
    if (!place.keyLine) return std::nullopt;
    std::string_view value = place.value;
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

std::string IniTextWith(std::string_view text, std::string_view section, std::string_view key,
                        std::string_view value) {
    const std::size_t firstNonBlank = value.find_first_not_of(" \t");
    value.remove_prefix(firstNonBlank == std::string_view::npos ? value.size() : firstNonBlank);
    const Place place = Find(text, section, key);
    std::string out;
    if (place.keyLine) {
        out.append(text.substr(0, place.keyLine->start));
        out.append(place.keyName).append("=").append(value);
        out.append(text.substr(place.keyLine->start + place.keyLine->content.size()));
        return out;
    }
    const std::string keyLine = std::string(key) + "=" + std::string(value) + std::string(kNewLine);
    if (place.sectionFound) {
        out.append(text.substr(0, place.insertAt));
        if (place.insertNeedsLineEnd) out.append(kNewLine);
        out.append(keyLine);
        out.append(text.substr(place.insertAt));
        return out;
    }
    out.append(text);
    if (!text.empty() && text != kUtf8Mark && text.back() != '\n') out.append(kNewLine);
    out.append("[").append(section).append("]").append(kNewLine);
    out.append(keyLine);
    return out;
}
