// The search behind every option declaration.
#pragma once

#include "cmdline/param_table.h"

#include <span>
#include <string_view>

namespace orvex::cmdline {

struct TCmdLineContext;

// Searches table[first..last] (last -1 or beyond the table meaning the last
// argument, a negative first meaning 0) for an argument matching a word of
// names, claims it and takes up to valueCount following arguments as its
// values. Stops at the first matching argument unless flags ask for every
// occurrence. Also records the names in the context's KnownParamNames.
void FindParam(TCmdLineContext& context, TFindParamRec& result, TParamStatusArray& table,
               std::string_view names, int last, int first, int valueCount, int flags,
               std::string_view defaultValue1, std::string_view defaultValue2);

// The first step of every search: result cleared, the defaults as its
// values.
void BeginParamSearch(TFindParamRec& result, std::string_view defaultValue1,
                      std::string_view defaultValue2);

// The search proper over table[first..last] (valid bounds) for the name
// words, claiming as FindParam does.
void SearchParamWords(const TCmdLineContext& context, TFindParamRec& result,
                      TParamStatusArray& table, std::span<const std::string_view> words, int first,
                      int last, int valueCount, int flags);

} // namespace orvex::cmdline
