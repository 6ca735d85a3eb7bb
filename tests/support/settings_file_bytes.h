#pragma once

#include <string>

#include "host/settings/settings.h"

// Glintra.ini as the host writes it on every code page: its section, then the
// three keys in their code page 932 bytes and their order, each value as it
// stands after "=" (the host's writer drops the blank that leads " 2").
inline std::string SettingsFileBytes(const std::string& kind, const std::string& repeat,
                                     const std::string& file) {
    return std::string("[") + kIniSection + "]\r\n" + kIniKeyKind + "=" + kind + "\r\n" +
           kIniKeyRepeat + "=" + repeat + "\r\n" + kIniKeyFile + "=" + file + "\r\n";
}
