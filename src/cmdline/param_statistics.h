// Syntax statistics: every argument classified by its claim status, the
// accepted forms of the declared names, the verdict, and the help hint the
// driver quotes when the command line is empty.
#pragma once

#include "cmdline/param_table.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace orvex::cmdline {

struct TCmdLineContext;

// Every list holds the arguments it counts, each followed by one blank; an
// argument that is empty or contains a blank is listed between double quotes.
struct TParamStatisticsRec {
    bool Valid = true;
    bool Computed = false;
    bool NoKnownOption = false; // option checking asked for, no known option word seen
    std::int16_t First = 0;
    std::int16_t Last = 0;
    std::uint16_t TotalCount = 0;
    std::uint16_t DistinctCount = 0;
    std::uint16_t NonEmptyCount = 0;
    std::uint16_t ListedCount = 0;
    std::uint16_t OptionCount = 0;
    std::uint16_t ValueCount = 0;
    std::uint16_t NotOptionCount = 0;
    std::uint16_t AttachedCount = 0;
    std::uint16_t ErrorCount = 0;
    std::uint16_t UnclaimedCount = 0;
    std::uint16_t OutOfRangeCount = 0;
    std::uint16_t OtherCount = 0;
    std::string TotalList;
    std::string DistinctList;
    std::string NonEmptyList;
    std::string ListedList;
    std::string OptionList;
    std::string ValueList;
    std::string NotOptionList;
    std::string AttachedList;
    std::string ErrorList;
    std::string UnclaimedList;
    std::string OutOfRangeList;
    std::string OtherList;
    std::string KnownOptionWords; // option words of claimed options that are accepted forms
    std::string KnownForms;       // every accepted form of every declared name
    std::string Title;
};

// Fills one record from the arguments first..last (first negative means 0,
// last negative or beyond the table means the last argument) and grows the
// context's HelpParamHint.
void ComputeParamStatistics(TCmdLineContext& context, TParamStatisticsRec& statistics,
                            const TParamStatusArray& table, std::string_view knownNames,
                            bool checkOptions, int first, int last);

// Computes the given record and, the first time only, the context's
// DefaultSyntax over the whole table. Returns the given record's verdict.
// After a declaration table, the known names are ResolvedKnownParamNames.
bool ValidateSyntax(TCmdLineContext& context, TParamStatisticsRec& statistics,
                    const TParamStatusArray& table, std::string_view knownNames, bool checkOptions,
                    int first, int last);

// ValidateSyntax over the context's CustomSyntax, argument table and known
// names, carried out only when something reads its outcome: the records
// through CompleteSyntaxValidation, the help hint through ReadHelpParamHint.
// The table and the declarations must not change in between.
void DeferSyntaxValidation(TCmdLineContext& context, bool checkOptions, int first, int last);

// Carries out a deferred validation, if one is waiting.
void CompleteSyntaxValidation(TCmdLineContext& context);

// The context's HelpParamHint, after a deferred validation has filled it.
const std::string& ReadHelpParamHint(TCmdLineContext& context);

// Appends to hint, as "-X" or "--NAME", each candidate word that is among the
// declared names and not yet in the hint; then trims the hint.
void BuildHelpParamHint(std::string& hint, std::string_view declaredNames,
                        std::string_view candidates);

} // namespace orvex::cmdline
