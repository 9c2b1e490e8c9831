#include "cmdline/cmdline_context.h"

#include "cmdline/messages.h"

namespace orvex::cmdline {
namespace {

std::string DirectoryText(const std::string& executablePath) {
    const std::string directory = PathDirectory(executablePath);
    if (directory.empty() || directory.find(' ') != std::string::npos)
        return "\"" + directory + "\"";
    return directory;
}

TParamStatusArray UnclaimedTable(const std::vector<std::string>& arguments) {
    TParamStatusArray table(arguments.size());
    for (std::size_t i = 0; i < arguments.size(); ++i)
        table[i].Text = arguments[i];
    return table;
}

} // namespace

TCmdLineContext::TCmdLineContext(const TProcessFacts& facts, TTextSink& standardOutput,
                                 TTextSink& standardError, platform::TConsole& console)
    : Streams(standardOutput, standardError), Console(console),
      ExecutablePath(facts.ExecutablePath), ExeDirText(DirectoryText(facts.ExecutablePath)),
      RawCommandLine(facts.RawCommandLine), ParamStatus(UnclaimedTable(facts.Arguments)),
      FormatSettings(
          formatting::FormatSettingsFromLocale(platform::ReadLocaleFacts(platform::lpNumbers))) {
    CustomSyntax.Title = ResString("corvanecore.scustomsyntaxtitle");
    DefaultSyntax.Title = ResString("corvanecore.sdefaultsyntaxtitle");
}

void TCmdLineContext::ReadDateFacts() {
    if (DateFactsRead)
        return;
    formatting::TakeLocaleFacts(FormatSettings, platform::ReadLocaleFacts(platform::lpDates));
    DateFactsRead = true;
}

} // namespace orvex::cmdline
