#include "host/settings_dialog/file_chooser_record.h"

#include "host/settings_dialog/dialog_messages.h"

std::u16string ChosenPath(const char16_t* buffer, std::size_t chars) {
    const std::u16string_view text(buffer, chars);
    return std::u16string(text.substr(0, text.find(u'\0')));
}

ChosenPathCheck CheckChosenPath(bool converted, std::size_t ansiBytes) {
    if (!converted) return ChosenPathCheck::kNotInCodePage;
    if (ansiBytes > kMaxStoredPathBytes) return ChosenPathCheck::kTooLong;
    return ChosenPathCheck::kStorable;
}

const char* ChosenPathMessage(ChosenPathCheck check) {
    switch (check) {
        case ChosenPathCheck::kNotInCodePage:
            return kPathNotStorableMessage;
        case ChosenPathCheck::kTooLong:
            return kPathTooLongMessage;
        case ChosenPathCheck::kStorable:
            break;
    }
    return nullptr;
}
