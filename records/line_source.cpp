#include "records/line_source.h"

namespace records {

std::optional<ReadFailure> LineSource::Open(const std::string& path)
{
    std::string text;
    if (auto failure = ReadWholeFile(path, text)) return failure;
    SetText(std::move(text));
    return {};
}

void LineSource::SetText(std::string text)
{
    text_ = std::move(text);
    next_ = 0;
    record_ = 0;
}

bool LineSource::Next(std::string_view& line)
{
    if (next_ >= text_.size()) return false;
    const std::size_t end = text_.find('\n', next_);
    const std::size_t stop = end == std::string::npos ? text_.size() : end;
    std::size_t length = stop - next_;
    if (length > 0 && text_[next_ + length - 1] == '\r') --length;
    line = std::string_view(text_).substr(next_, length);
    next_ = end == std::string::npos ? text_.size() : end + 1;
    ++record_;
    return true;
}

} // namespace records
