#include "host/forms/font.h"

#include <algorithm>
#include <utility>

namespace forms {

bool FontDescription::operator==(const FontDescription& other) const {
    return name == other.name && size == other.size && bold == other.bold &&
           italic == other.italic && underline == other.underline &&
           strikethrough == other.strikethrough && charset == other.charset;
}

Font::Font(FontDescription description) : description_(std::move(description)) {}

FontRef Font::New(FontDescription description) {
    return std::make_shared<Font>(std::move(description));
}

void Font::SetName(const std::string& name) {
    if (description_.name == name) return;
    description_.name = name;
    Changed();
}

void Font::SetSize(double points) {
    if (description_.size == points) return;
    description_.size = points;
    Changed();
}

void Font::SetBold(bool bold) {
    if (description_.bold == bold) return;
    description_.bold = bold;
    Changed();
}

void Font::SetItalic(bool italic) {
    if (description_.italic == italic) return;
    description_.italic = italic;
    Changed();
}

void Font::SetUnderline(bool underline) {
    if (description_.underline == underline) return;
    description_.underline = underline;
    Changed();
}

void Font::SetStrikethrough(bool strikethrough) {
    if (description_.strikethrough == strikethrough) return;
    description_.strikethrough = strikethrough;
    Changed();
}

void Font::SetCharset(int charset) {
    if (description_.charset == charset) return;
    description_.charset = charset;
    Changed();
}

void Font::SetDescription(const FontDescription& description) {
    if (description_ == description) return;
    description_ = description;
    Changed();
}

int Font::Subscribe(std::function<void()> changed) {
    listeners_.emplace_back(nextKey_, std::move(changed));
    return nextKey_++;
}

void Font::Unsubscribe(int key) {
    listeners_.erase(std::remove_if(listeners_.begin(), listeners_.end(),
                                    [key](const auto& entry) { return entry.first == key; }),
                     listeners_.end());
}

void Font::Changed() {
    // A listener may unsubscribe (or subscribe) while it is told.
    const auto listeners = listeners_;
    for (const auto& entry : listeners) entry.second();
}

FontDescription DefaultFormFont() {
    FontDescription font;
    font.name = "ＭＳ Ｐゴシック";
    font.size = 9;
    font.charset = kShiftJisCharset;
    return font;
}

}  // namespace forms
