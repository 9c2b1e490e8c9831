// Every text the framework writes, keyed by its resource identifier.
#pragma once

#include "formatting/message_table.h"

#include <string_view>

namespace orvex::cmdline {

using formatting::TResourceString;

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
// identifier does not compile. The framework only writes its texts, so the
// lookup gives the text alone.
consteval std::string_view ResString(std::string_view id) {
    return formatting::FindResString(kCorvaneCoreStrings, id).Text;
}

} // namespace orvex::cmdline
