// Every text the framework writes, keyed by its resource identifier.
#pragma once

#include <string_view>

namespace orvex::cmdline {

struct TResourceString {
    std::string_view Id;
    std::string_view Text;
};

inline constexpr TResourceString kCorvaneCoreStrings[] = {
    {"corvanecore.sinvalidsyntax", "Invalid or Incomplete Syntax!"},
    {"corvanecore.sexecutionpath", "Execution Path ... "},
    {"corvanecore.syouentered", "You entered ...... "},
    {"corvanecore.sseesyntaxdefinition", "(See Syntax Definition Below)"},
    {"corvanecore.spressanykey", "Press Any Key to Continue..."},
    {"corvanecore.scustomsyntaxtitle", "Custom Syntax Validation Record"},
    {"corvanecore.sdefaultsyntaxtitle", "Default Syntax Validation Record"},
    {"corvanecore.swascompiledon", " was compiled on "},
    {"corvanecore.susing", " using "},
    {"corvanecore.scopyright", "Copyright (c) 2023-2026 The Orvex Developers"},
    {"corvanecore.scredits", "Written by The Orvex Developers - https://orvex.dev"},
};

// The text of a resource identifier, looked up while compiling: an unknown
// identifier does not compile.
consteval std::string_view ResString(std::string_view id) {
    for (const TResourceString& entry : kCorvaneCoreStrings)
        if (entry.Id == id)
            return entry.Text;
    throw "unknown resource identifier";
}

} // namespace orvex::cmdline
