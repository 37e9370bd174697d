#include "engine/parallel/merge_parts.h"
#include "records/exit_status.h"

#include <iostream>
#include <string>
#include <vector>

// brisca-merge PART... --out NAME.dsr5: the result file of a job run as slices on several
// machines, from their partial results.
int main(int argc, char** argv)
{
    std::vector<std::string> parts;
    std::string out;
    for (int k = 1; k < argc; ++k) {
        const std::string argument = argv[k];
        if (argument == "--out" && k + 1 < argc && out.empty()) {
            out = argv[++k];
        } else if (argument.rfind("--", 0) == 0) {
            out.clear();
            break;
        } else {
            parts.push_back(argument);
        }
    }
    if (out.empty() || parts.empty()) {
        std::cerr << "使い方: brisca-merge 部分結果... --out 結果.dsr5 [usage: brisca-merge PART... --out "
                     "NAME.dsr5]\n";
        return records::kExitUsage;
    }
    return engine::MergeParts(parts, out, std::cerr);
}
