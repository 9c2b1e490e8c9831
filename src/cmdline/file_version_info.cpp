#include "cmdline/file_version_info.h"

#include "cmdline/cmdline_context.h"
#include "cmdline/messages.h"
#include "cmdline/text_helpers.h"
#include "formatting/text.h"

namespace orvex::cmdline {
namespace {

// Windows accepts both slashes and a drive colon; elsewhere a backslash is
// an ordinary file-name character.
#ifdef _WIN32
constexpr std::string_view kPathSeparators = "\\/:";
#else
constexpr std::string_view kPathSeparators = "/";
#endif

std::size_t FileNameStart(std::string_view path) {
    const std::size_t separator = path.find_last_of(kPathSeparators);
    return separator == std::string_view::npos ? 0 : separator + 1;
}

} // namespace

std::string PathDirectory(std::string_view path) {
    const std::size_t start = FileNameStart(path);
    if (start == 0)
        return {};
    return std::string(path.substr(0, start - 1));
}

std::string PathFileName(std::string_view path) {
    return std::string(path.substr(FileNameStart(path)));
}

std::string PathExtension(std::string_view path) {
    const std::string_view fileName = path.substr(FileNameStart(path));
    const std::size_t dot = fileName.rfind('.');
    return dot == std::string_view::npos ? std::string() : std::string(fileName.substr(dot));
}

void InitFileVersionInfo(const TCmdLineContext& context, TFileVersionInfoRec& record,
                         std::string_view shortVersion, std::string_view fullVersion,
                         std::string_view description, bool upperCaseNames) {
    const std::string& path = context.ExecutablePath;
    record = TFileVersionInfoRec{};
    record.Directory = PathDirectory(path);
    record.Extension = PathExtension(path);
    record.FileName = PathFileName(path);
    record.BaseName = RemoveAllIgnoreCase(record.FileName, record.Extension);
    if (upperCaseNames) {
        record.FileName = formatting::UpperCaseAscii(record.FileName);
        record.BaseName = formatting::UpperCaseAscii(record.BaseName);
    }
    record.ShortTitle = record.BaseName + " v" + std::string(shortVersion);
    record.FileTitle = record.FileName + " v" + std::string(fullVersion);
    record.FullTitle = record.BaseName + " v" + std::string(fullVersion);
    record.Description = description;
    record.Copyright = ResString("corvanecore.scopyright");
    record.Credits = ResString("corvanecore.scredits");
    record.Initialized = true;
}

} // namespace orvex::cmdline
