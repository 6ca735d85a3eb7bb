#include "host/settings_dialog/file_chooser_record.h"

std::u16string ChosenPath(const char16_t* buffer, std::size_t chars) {
    const std::u16string_view text(buffer, chars);
    return std::u16string(text.substr(0, text.find(u'\0')));
}
