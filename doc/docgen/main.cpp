// Writes the calculator's documents from its own help text and option
// declarations:
//   orvex_docgen man <file> <version> <date> <description> [<orvex>]
// With the built calculator named, the man page shows what each example
// prints.
//   orvex_docgen bash|powershell|zsh|fish <file>
#include "docgen/completion_scripts.h"
#include "docgen/man_page.h"
#include "docgen/option_forms.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string_view>

int main(int argc, char** argv) {
    using namespace orvex::docgen;
    const std::string_view kind = argc > 2 ? argv[1] : "";
    // Binary mode: the files end lines in '\n' on every host.
    std::ofstream out(argc > 2 ? argv[2] : "", std::ios::binary);
    if (kind == "man" && (argc == 6 || argc == 7)) {
        TManPageFacts facts{argv[3], argv[4], argv[5]};
        if (argc == 7)
            facts.RunExample =
                ShellRunner(std::filesystem::absolute(argv[6]).parent_path().string(),
                            std::string(argv[2]) + ".example");
        WriteManPage(out, facts);
    } else if (kind == "bash" && argc == 3)
        WriteBashCompletion(out, OptionForms());
    else if (kind == "powershell" && argc == 3)
        WritePowerShellCompletion(out, OptionForms());
    else if (kind == "zsh" && argc == 3)
        WriteZshCompletion(out, OptionForms());
    else if (kind == "fish" && argc == 3)
        WriteFishCompletion(out, OptionForms());
    else {
        std::cerr << "usage: orvex_docgen man <file> <version> <date> <description> [<orvex>]\n"
                     "       orvex_docgen bash|powershell|zsh|fish <file>\n";
        return 2;
    }
    out.close();
    if (!out) {
        std::cerr << "orvex_docgen: cannot write " << argv[2] << '\n';
        return 1;
    }
    return 0;
}
