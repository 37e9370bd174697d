#include "write_files.h"

#include "records/atomic_file.h"

#include <memory>
#include <stdexcept>

namespace tablegen {

void WriteAllOrNothing(const std::vector<NamedText>& files)
{
    // Every file is complete under its temporary name before any of them replaces a table;
    // a failure drops the pending files, which removes their temporaries.
    std::vector<std::unique_ptr<records::PendingFile>> pending;
    for (const NamedText& file : files) {
        pending.push_back(std::make_unique<records::PendingFile>(file.first));
        if (pending.back()->Append(file.second) || pending.back()->Finish()) {
            throw std::runtime_error("cannot write " + file.first);
        }
    }
    for (std::size_t k = 0; k < files.size(); ++k) {
        if (const auto failure = pending[k]->Commit()) {
            throw std::runtime_error("cannot replace " + files[k].first + " (" + failure->reason + ")");
        }
    }
}

} // namespace tablegen
