#include "write_files.h"

#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace tablegen {
namespace {

std::string TemporaryName(const std::string& name) { return name + ".part"; }

void RemoveTemporaries(const std::vector<NamedText>& files)
{
    for (const NamedText& file : files) std::remove(TemporaryName(file.first).c_str());
}

} // namespace

void WriteAllOrNothing(const std::vector<NamedText>& files)
{
    for (const NamedText& file : files) {
        std::ofstream out(TemporaryName(file.first), std::ios::binary | std::ios::trunc);
        out.write(file.second.data(), static_cast<std::streamsize>(file.second.size()));
        out.close();
        if (!out) {
            RemoveTemporaries(files);
            throw std::runtime_error("cannot write " + file.first);
        }
    }
    for (const NamedText& file : files) {
        if (std::rename(TemporaryName(file.first).c_str(), file.first.c_str()) != 0) {
            RemoveTemporaries(files);
            throw std::runtime_error("cannot rename " + TemporaryName(file.first) + " to " + file.first);
        }
    }
}

} // namespace tablegen
