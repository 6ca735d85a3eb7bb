#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Fonts of the forms' texts. A font is an object that controls share by
// reference: a label and the button that hands its font out hold the same
// object, and a change to it shows on every holder at once. Assigning one
// font to another "by value" copies only the face name, the way a font
// object's default property works. Portable; font_win32.* makes GDI fonts.

namespace forms {

// Character sets, as LOGFONT names them.
constexpr int kDefaultCharset = 1;
constexpr int kShiftJisCharset = 128;

struct FontDescription {
    std::string name;  // face name, UTF-8
    double size = 9;   // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    int charset = kDefaultCharset;

    bool operator==(const FontDescription& other) const;
    bool operator!=(const FontDescription& other) const { return !(*this == other); }
};

class Font;
using FontRef = std::shared_ptr<Font>;

class Font {
public:
    explicit Font(FontDescription description);
    static FontRef New(FontDescription description);
    // A new object with the same description.
    FontRef Clone() const { return New(description_); }

    const FontDescription& Description() const { return description_; }
    const std::string& Name() const { return description_.name; }
    double Size() const { return description_.size; }
    bool Bold() const { return description_.bold; }

    void SetName(const std::string& name);
    void SetSize(double points);
    void SetBold(bool bold);
    void SetItalic(bool italic);
    void SetUnderline(bool underline);
    void SetStrikethrough(bool strikethrough);
    void SetCharset(int charset);
    void SetDescription(const FontDescription& description);

    // Assignment by value: the face name alone.
    void AssignByValue(const FontDescription& other) { SetName(other.name); }

    // Holders hear of every change. Subscribe returns the key that
    // Unsubscribe takes.
    int Subscribe(std::function<void()> changed);
    void Unsubscribe(int key);

private:
    void Changed();

    FontDescription description_;
    std::vector<std::pair<int, std::function<void()>>> listeners_;
    int nextKey_ = 1;
};

// The font that forms, picture boxes and user controls start with, and so
// every label placed on them: the Japanese proportional Gothic at 9 points.
FontDescription DefaultFormFont();

}  // namespace forms
