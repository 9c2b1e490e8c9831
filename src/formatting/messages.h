// The message texts of the formatting layer: conversion failures and the
// runtime-style arithmetic faults.
#pragma once

#include "formatting/message_table.h"

namespace orvex::formatting {

inline constexpr TResourceString kFormattingStrings[] = {
    {"formatting.sinvalidfloatformat", "Invalid float format"},
    {"formatting.sinvalidfloat", "'%s' is not a valid floating point value"},
    {"formatting.sinvalidint", "'%s' is not an integer value"},
    {"formatting.sinvaliddate", "'%s' is not a valid date"},
    {"formatting.sinvalidtime", "'%s' is not a valid time"},
    {"formatting.sinvaliddatetime", "'%s' is not a valid date and time"},
    {"formatting.sdateencodeerror", "Invalid argument to date encode"},
    {"formatting.stimeencodeerror", "Invalid argument to time encode"},
    {"formatting.sdivbyzero", "Division by zero"},
    {"formatting.sinvalidop", "Invalid floating point operation"},
    {"formatting.szerodivide", "Floating point division by zero"},
    {"formatting.soverflow", "Floating point overflow"},
};

// The entry of a resource identifier such as "formatting.sinvalidfloatformat".
consteval TResourceString FormattingString(std::string_view id) {
    return FindResString(kFormattingStrings, id);
}

} // namespace orvex::formatting
