// The identity record of the running program. Its names come from the
// executable's own file, so a renamed copy shows its new name everywhere.
#pragma once

#include <string>
#include <string_view>

namespace orvex::cmdline {

struct TCmdLineContext;

struct TFileVersionInfoRec {
    bool Initialized = false;
    std::string FileName;  // with extension
    std::string BaseName;  // FileName without any occurrence of Extension
    std::string Extension; // dot included, in its own letter case
    std::string ShortTitle;
    std::string FileTitle;
    std::string FullTitle;
    std::string Description;
    std::string Copyright;
    std::string Credits;
    std::string Directory; // without the trailing separator
};

// The record for the context's executable path.
void InitFileVersionInfo(const TCmdLineContext& context, TFileVersionInfoRec& record,
                         std::string_view shortVersion, std::string_view fullVersion,
                         std::string_view description, bool upperCaseNames);

// The parts of an executable path. The directory has no trailing separator.
std::string PathDirectory(std::string_view path);
std::string PathFileName(std::string_view path);
std::string PathExtension(std::string_view path);

} // namespace orvex::cmdline
