#include "frontend/preparation.h"

#include "formatting/packed_texts.h"
#include "formatting/text.h"

#include <array>
#include <climits>
#include <cstdint>
#include <vector>

// The rewrite is defined as 45 alias rows, each replacing every occurrence of
// its spelling in the whole text in turn, and a list of spacing rules applied
// until nothing changes. Later rows see what earlier rows wrote, so the order
// of the rows decides wherever spellings overlap. Running the rows one after
// the other costs a pass over the text per row. Here the alias rows run in
// one scan that decides at every place which row would have claimed it, and
// the spacing rules in two more over the result.

namespace orvex::frontend {

namespace {

using formatting::AsciiLower;
using formatting::AsciiUpper;
using formatting::IsControlOrSpace;

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsDigitOrPoint(char c) {
    return (c >= '0' && c <= '9') || c == '.';
}

// The text holds the word at `at`, letters without regard to case.
bool WordAt(std::string_view text, std::size_t at, std::string_view word) {
    return at <= text.size() && formatting::StartsWithIgnoreAsciiCase(text.substr(at), word);
}

// A digit run begins a token at the start, after a blank or control
// character, an operator or a parenthesis.
bool EndsToken(char c) {
    return IsControlOrSpace(c) || std::string_view("()*+,-/<=>^").find(c) != std::string_view::npos;
}

// A sign right after the exponent letter of a decimal literal ("1e-3",
// ".5E+2") belongs to the number and is not spaced out as an operator. A
// hexadecimal literal ("$2e-3", "0x2e-3") or a name ("x1e-3") has no exponent.
bool IsExponentSign(std::string_view text, std::size_t at) {
    if (at < 2 || AsciiUpper(text[at - 1]) != 'E')
        return false;
    std::size_t start = at - 1;
    while (start > 0 && IsDigitOrPoint(text[start - 1]))
        --start;
    return start < at - 1 && (start == 0 || EndsToken(text[start - 1]));
}

struct TWordRow {
    std::string_view Word;
    // The row sets the word apart on both sides; the others only put a blank
    // in front, so that the word's letters still join what follows.
    bool BlankAfter;
    // "sqrt" is held as a marker, out of reach of the "sqr" row, until the
    // row after that turns it back into letters.
    bool Hidden;
};

// The alias rows for words, in their order, after PWR, DIV and MOD (which
// come before every other word and are handled by the scan itself); packed
// as formatting/packed_texts.h explains.
constexpr auto kWordRows = formatting::PackTexts<&TWordRow::Word>([] {
    return std::to_array<TWordRow>({
        {"xor", true, false},
        {"or", true, false},
        {"and", true, false},
        {"not", true, false},
        {"cos", true, false},
        {"sin", false, false},
        {"arctan", false, false},
        {"abs", false, false},
        {"sqrt", false, true},
        {"sqr", false, false},
        {"exp", false, false},
        {"ln", false, false},
        {"log", false, false},
        {"frac", false, false},
        {"int", false, false},
        {"round", false, false},
        {"trunc", false, false},
    });
});

// The first row that sees the letters of "sqrt" again.
constexpr std::size_t kSqrtShownFrom = 10;

std::uint32_t LetterBit(char c) {
    return std::uint32_t{1} << (AsciiUpper(c) - 'A');
}

constexpr std::uint32_t kFirstLettersOfWords = [] {
    std::uint32_t mask = 0;
    for (const TWordRow row : kWordRows)
        mask |= std::uint32_t{1} << (row.Word[0] - 'a');
    return mask;
}();

// One run of letters and the word rows applied to it. A row matches only
// where no earlier row has put a blank inside the word, never on letters an
// earlier row has set apart on both sides, and leftmost first. Each letter
// records the blanks written in front of it and whether a row has rewritten
// it (the rows write their words in lower case).
class TWordRun {
  public:
    // With `afterSqrtMarker` the run follows "#221" in the text and its
    // first letter is the "A" of what reads as the "sqrt" marker: it turns
    // into " sqrt" unless a word row takes that letter first.
    TWordRun(std::string_view letters, bool afterSqrtMarker) {
        letters_.reserve(letters.size() + 4);
        for (const char c : letters) {
            letters_.push_back(TLetter{c});
            present_ |= LetterBit(c);
        }
        letters_.push_back(TLetter{'\0'});
        ApplyRows(0, kSqrtShownFrom);
        for (TLetter& letter : letters_)
            letter.Hidden = false;
        if (afterSqrtMarker) {
            if (letters_[0].Rewritten)
                markerPrefix_ = "#221";
            else
                ExpandSqrtMarker();
        }
        ApplyRows(kSqrtShownFrom, kWordRows.size());
    }

    void AppendTo(std::string& out) const {
        out += markerPrefix_;
        for (const TLetter& letter : letters_) {
            out.append(letter.BlanksBefore, ' ');
            if (letter.Letter != '\0')
                out += letter.Rewritten ? AsciiLower(letter.Letter) : letter.Letter;
        }
    }

  private:
    struct TLetter {
        char Letter;
        std::uint8_t BlanksBefore = 0;
        bool Rewritten = false;
        bool SetApart = false;
        bool Hidden = false;
    };

    void ApplyRows(std::size_t first, std::size_t last) {
        for (std::size_t row = first; row < last; ++row)
            if ((present_ & LetterBit(kWordRows[row].Word[0])) != 0)
                ApplyRow(kWordRows[row]);
    }

    bool MatchesAt(std::size_t at, std::string_view word) const {
        for (std::size_t i = 0; i < word.size(); ++i) {
            const TLetter& letter = letters_[at + i];
            if (letter.SetApart || letter.Hidden || (i > 0 && letter.BlanksBefore > 0) ||
                AsciiUpper(letter.Letter) != AsciiUpper(word[i]))
                return false;
        }
        return true;
    }

    void ApplyRow(const TWordRow& row) {
        const std::size_t length = row.Word.size();
        const std::size_t count = letters_.size() - 1;
        for (std::size_t at = 0; at + length <= count;) {
            if (!MatchesAt(at, row.Word)) {
                ++at;
                continue;
            }
            ++letters_[at].BlanksBefore;
            for (std::size_t i = at; i < at + length; ++i) {
                letters_[i].Rewritten = true;
                letters_[i].SetApart = row.BlankAfter;
                letters_[i].Hidden = row.Hidden;
            }
            if (row.BlankAfter)
                ++letters_[at + length].BlanksBefore;
            at += length;
        }
    }

    // The marker's letter becomes the letters of " sqrt", which join the
    // rest of the run for the rows that follow.
    void ExpandSqrtMarker() {
        constexpr std::string_view sqrt = "sqrt";
        letters_[0].Letter = sqrt[0];
        letters_[0].Rewritten = true;
        ++letters_[0].BlanksBefore;
        for (std::size_t i = 1; i < sqrt.size(); ++i) {
            TLetter letter{sqrt[i]};
            letter.Rewritten = true;
            letters_.insert(letters_.begin() + static_cast<std::ptrdiff_t>(i), letter);
        }
        for (const char c : sqrt)
            present_ |= LetterBit(c);
    }

    std::vector<TLetter> letters_; // the last entry holds the blanks after the run
    std::uint32_t present_ = 0;
    std::string_view markerPrefix_;
};

// The alias rows in one scan. Symbols need a look at most one character
// ahead, markers typed by the user five; runs of letters go to TWordRun.
class TAliasScan {
  public:
    explicit TAliasScan(std::string_view text) : text_(text) { out_.reserve(2 * text.size()); }

    std::string Run() && {
        while (at_ < text_.size())
            Step();
        return std::move(out_);
    }

  private:
    char Peek(std::size_t ahead) const {
        return at_ + ahead < text_.size() ? text_[at_ + ahead] : '\0';
    }

    void Emit(std::string_view replacement, std::size_t consumed) {
        out_ += replacement;
        at_ += consumed;
    }

    void Step() {
        const char c = text_[at_];
        switch (c) {
        case '-':
            // "--" stays as it is; only a single "-" is an operator.
            if (Peek(1) == '-')
                return Emit("--", 2);
            return Emit(IsExponentSign(text_, at_) ? "-" : " - ", 1);
        case '+':
            return Emit(IsExponentSign(text_, at_) ? "+" : " + ", 1);
        case '0':
            return AsciiUpper(Peek(1)) == 'X' ? Emit("$", 2) : Emit("0", 1);
        case '(':
            return Emit("( ", 1);
        case ')':
            return Emit(" ) ", 1);
        case '^':
            return Emit(" ^ ", 1);
        case '*':
            return Peek(1) == '*' ? Emit(" ^ ", 2) : Emit(" * ", 1);
        case '/':
            return Peek(1) == '/' ? Emit(" div ", 2) : Emit(" / ", 1);
        case '%':
            return Peek(1) == '%' ? Emit(" mod ", 2) : Emit("%", 1);
        case '!':
            return Peek(1) == '=' ? Emit(" <> ", 2) : Emit("!", 1);
        case '<':
            if (Peek(1) == '>')
                return Emit(" <> ", 2);
            return Peek(1) == '=' ? Emit(" <= ", 2) : Emit(" < ", 1);
        case '>':
            return Peek(1) == '=' ? Emit(" >= ", 2) : Emit(" > ", 1);
        case '=':
            return Emit(" = ", 1);
        case '#':
            return Marker();
        default:
            if (IsLetter(c))
                return Letters();
            return Emit(std::string_view(&text_[at_], 1), 1);
        }
    }

    // The rows' temporary markers can be typed too; the rows that turn
    // markers back into operators convert those as well.
    void Marker() {
        const std::string_view rest = text_.substr(at_);
        if (rest.starts_with("#2014"))
            return Emit("--", 5);
        // "0x" is rewritten before this marker is undone and takes its "0".
        if (rest.starts_with("#2260") && AsciiUpper(Peek(5)) != 'X')
            return Emit(" <> ", 5);
        if (rest.starts_with("#2264"))
            return Emit(" <= ", 5);
        if (rest.starts_with("#2265"))
            return Emit(" >= ", 5);
        if (rest.starts_with("#203") && AsciiUpper(Peek(4)) == 'C')
            return Emit(" xor ", 5);
        if (rest.starts_with("#221") && AsciiUpper(Peek(4)) == 'A') {
            at_ += 4;
            return WordRun(true);
        }
        Emit("#", 1);
    }

    // PWR, DIV and MOD are rewritten before any other word; MOD yields to a
    // DIV that shares its "D".
    std::string_view SymbolWordAt(std::size_t at) const {
        if (WordAt(text_, at, "PWR"))
            return " ^ ";
        if (WordAt(text_, at, "DIV"))
            return " div ";
        if (WordAt(text_, at, "MOD") && !WordAt(text_, at + 2, "DIV"))
            return " mod ";
        return {};
    }

    void Letters() {
        if (const std::string_view symbol = SymbolWordAt(at_); !symbol.empty())
            return Emit(symbol, 3);
        WordRun(false);
    }

    void WordRun(bool afterSqrtMarker) {
        std::size_t end = at_ + 1;
        while (end < text_.size() && IsLetter(text_[end]) && SymbolWordAt(end).empty())
            ++end;
        const std::string_view letters = text_.substr(at_, end - at_);
        at_ = end;
        bool anyWord = afterSqrtMarker;
        for (std::size_t i = 0; i < letters.size() && !anyWord; ++i)
            anyWord = (kFirstLettersOfWords & LetterBit(letters[i])) != 0;
        if (anyWord)
            TWordRun(letters, afterSqrtMarker).AppendTo(out_);
        else
            out_ += letters;
    }

    std::string_view text_;
    std::size_t at_ = 0;
    std::string out_;
};

// Trims the text, collapses runs of blanks and drops the blank after "(" and
// before ")", in place.
void TidyBlanks(std::string& text) {
    const std::string_view kept = formatting::TrimControl(text);
    const auto begin = static_cast<std::size_t>(kept.data() - text.data());
    const std::size_t end = begin + kept.size();
    std::size_t write = 0;
    bool blankPending = false;
    for (std::size_t read = begin; read < end; ++read) {
        const char c = text[read];
        if (c == ' ') {
            blankPending = true;
            continue;
        }
        if (blankPending && text[write - 1] != '(' && c != ')')
            text[write++] = ' ';
        blankPending = false;
        text[write++] = c;
    }
    text.resize(write);
}

// The operators after which a sign sticks to its operand, in the order
// their rules run ("*", "/", "+", "-", "<", ">", "=", ","); -1 for any other
// character.
int SignSpacingOperatorIndex(char c) {
    switch (c) {
    case '*':
        return 0;
    case '/':
        return 1;
    case '+':
        return 2;
    case '-':
        return 3;
    case '<':
        return 4;
    case '>':
        return 5;
    case '=':
        return 6;
    case ',':
        return 7;
    default:
        return -1;
    }
}

// The rules that make a sign stick run one after another: for each operator
// and each sign, first "(" sign, then operator, blank, sign. The times below
// number them in that order; the leading sign goes before all of them.
constexpr int kLeadingSignTime = -1;
constexpr int kNeverSticks = INT_MAX;

// "+" before "-".
int SignIndex(char sign) {
    return sign == '+' ? 0 : 1;
}

// When the sign at `at`, followed by a blank, loses that blank. After an
// operator that is itself a sign, it sticks only if that sign still has its
// blank when this rule runs; when both rules are the same, the left match is
// made first and this one no longer finds its blank.
int StickTime(std::size_t at, char sign, char previous, char beforePrevious, std::size_t lastSignAt,
              int lastSignTime) {
    if (at == 0)
        return kLeadingSignTime;
    if (previous == '(')
        return 2 * SignIndex(sign);
    if (previous != ' ' || at < 2)
        return kNeverSticks;
    const int op = SignSpacingOperatorIndex(beforePrevious);
    if (op < 0)
        return kNeverSticks;
    const int time = 4 * op + 2 * SignIndex(sign) + 1;
    if (lastSignAt == at - 2 && lastSignTime <= time)
        return kNeverSticks;
    return time;
}

// Removes the blank after each sign that sticks to its operand, in place.
void StickSigns(std::string& text) {
    const std::size_t size = text.size();
    char previous = '\0';
    char beforePrevious = '\0';
    std::size_t lastSignAt = std::string::npos;
    int lastSignTime = kNeverSticks;
    std::size_t write = 0;
    for (std::size_t read = 0; read < size; ++read) {
        const char c = text[read];
        text[write++] = c;
        if ((c == '+' || c == '-') && read + 1 < size && text[read + 1] == ' ') {
            lastSignTime = StickTime(read, c, previous, beforePrevious, lastSignAt, lastSignTime);
            lastSignAt = read;
            if (lastSignTime != kNeverSticks) {
                ++read;
                beforePrevious = c;
                previous = ' ';
                continue;
            }
        }
        beforePrevious = previous;
        previous = c;
    }
    text.resize(write);
}

} // namespace

std::string Normalise(std::string_view text, bool withSpacing) {
    std::string result = TAliasScan(text).Run();
    if (withSpacing) {
        TidyBlanks(result);
        StickSigns(result);
    }
    return result;
}

} // namespace orvex::frontend
