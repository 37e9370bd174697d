#include "refiner/pending_file.h"

#include "records/field_error.h"
#include "refiner/run_error.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace refiner {

namespace {

std::string Reason() { return std::strerror(errno); }

} // namespace

PendingFile::PendingFile(std::string finalName)
    : finalName_(std::move(finalName)),
      // The process id keeps two refiners started one after the other apart.
      temporaryName_(finalName_ + "." + std::to_string(::getpid()) + ".tmp")
{
    file_ = std::fopen(temporaryName_.c_str(), "wb");
    if (file_ == nullptr) {
        throw RunError(records::DescribeFileError(
            finalName_, "を作成できません", "cannot be created (" + Reason() + ")"));
    }
}

PendingFile::~PendingFile() { Discard(); }

void PendingFile::Write(std::string_view bytes)
{
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
        throw RunError(records::DescribeFileError(
            finalName_, "を書き込めません", "cannot be written (" + Reason() + ")"));
    }
}

void PendingFile::Commit()
{
    std::FILE* file = file_;
    file_ = nullptr;
    if (std::fclose(file) != 0) {
        const std::string reason = Reason();
        std::remove(temporaryName_.c_str());
        throw RunError(
            records::DescribeFileError(finalName_, "を書き込めません", "cannot be written (" + reason + ")"));
    }
    if (std::rename(temporaryName_.c_str(), finalName_.c_str()) != 0) {
        const std::string reason = Reason();
        std::remove(temporaryName_.c_str());
        throw RunError(records::DescribeFileError(
            finalName_, "を置き換えられません", "cannot be replaced (" + reason + ")"));
    }
}

void PendingFile::Discard()
{
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
        std::remove(temporaryName_.c_str());
    }
}

} // namespace refiner
