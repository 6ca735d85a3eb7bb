#pragma once

#include <string>

namespace forms {

// Sources are UTF-8; the W functions take UTF-16.
std::wstring WideFromUtf8(const std::string& text);

}  // namespace forms
