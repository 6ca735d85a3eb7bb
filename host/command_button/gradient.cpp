#include "host/command_button/gradient.h"

namespace command_button {

namespace {

std::optional<int> HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return std::nullopt;
}

std::optional<uint8_t> Pair(std::string_view text, size_t at) {
    const auto high = HexDigit(text[at]);
    const auto low = HexDigit(text[at + 1]);
    if (!high || !low) return std::nullopt;
    return static_cast<uint8_t>(*high * 16 + *low);
}

GradientVertex Vertex(int32_t x, int32_t y, Rgb colour) {
    // The 8-bit value in the high byte of each 16-bit channel.
    return GradientVertex{x,
                          y,
                          static_cast<uint16_t>(colour.red << 8),
                          static_cast<uint16_t>(colour.green << 8),
                          static_cast<uint16_t>(colour.blue << 8),
                          0};
}

}  // namespace

std::optional<Rgb> ReadColourText(std::string_view text) {
    if (text.size() != 8 || text[0] != '&' || (text[1] != 'H' && text[1] != 'h')) {
        return std::nullopt;
    }
    const auto red = Pair(text, 2);
    const auto green = Pair(text, 4);
    const auto blue = Pair(text, 6);
    if (!red || !green || !blue) return std::nullopt;
    return Rgb{*red, *green, *blue};
}

bool GradientReversedAfter(ButtonState state, bool reversedBefore) {
    switch (state) {
        case ButtonState::StateNormal:
        case ButtonState::StateSelected:
            return false;
        case ButtonState::StateHighLight:
            return true;
        default:
            return reversedBefore;
    }
}

std::optional<Gradient> MakeGradient(bool reversed, int32_t width, int32_t height) {
    const std::optional<Rgb> white = ReadColourText(kWhiteText);
    const std::optional<Rgb> tint = ReadColourText(kGradientTint);
    if (!white || !tint) return std::nullopt;
    Gradient gradient;
    gradient.vertices[0] = Vertex(0, 0, reversed ? *tint : *white);
    gradient.vertices[1] = Vertex(width - 1, height - 1, reversed ? *white : *tint);
    return gradient;
}

}  // namespace command_button
