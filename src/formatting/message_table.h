// How every layer keeps its message texts: one table per unit of
// (resource identifier, text) entries, searched while compiling, and one
// routine that fills a text's placeholders.
//
// A text is named by its resource identifier, the unit name, a point and
// the message's name ("cvexprpars.serrbadquotes"). The lookup is consteval,
// so an unknown identifier does not compile, a run pays nothing to find a
// text, and the tables themselves need not exist in the program at all.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace orvex::formatting {

// One entry of a unit's table. Both views refer to string literals, so an
// entry may be copied freely and outlives every error that carries it.
struct TResourceString {
    std::string_view Id;
    std::string_view Text;
};

// The entry of `id` in `table`, found while compiling.
template <std::size_t N>
consteval TResourceString FindResString(const TResourceString (&table)[N], std::string_view id) {
    for (const TResourceString& entry : table)
        if (entry.Id == id)
            return entry;
    throw "unknown resource identifier";
}

// One substitution argument: a number for %d, a text for %s. It refers to
// its text, which lives until the message is made, and has nothing to
// destroy, so that a caller that raises an error costs the unwinding no
// clean-up step.
class TMessageArg {
  public:
    TMessageArg(std::int64_t number) : number_(number), isNumber_(true) {}
    TMessageArg(int number) : TMessageArg(std::int64_t{number}) {}
    TMessageArg(std::string_view text) : text_(text) {}
    TMessageArg(const std::string& text) : text_(text) {}
    TMessageArg(const char* text) : text_(text) {}

    // Appends the argument as the message shows it.
    void AppendTo(std::string& text) const;

  private:
    std::string_view text_;
    std::int64_t number_ = 0;
    bool isNumber_ = false;
};

// `text` with each %d and %s replaced by the next argument, left to right.
// Substituted texts are not scanned again, so a "%" inside them stays as it
// is; placeholders beyond the last argument stay as they are too.
std::string FormatResString(std::string_view text, std::initializer_list<TMessageArg> args = {});

} // namespace orvex::formatting
