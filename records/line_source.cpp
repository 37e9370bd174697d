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
    // A byte-order mark that some editors put before UTF-8 text is no part of the first record.
    next_ = text_.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    record_ = 0;
}

bool LineSource::Next(std::string_view& line)
{
    if (next_ >= text_.size()) return false;
    const std::size_t end = text_.find_first_of("\r\n", next_);
    const std::size_t stop = end == std::string::npos ? text_.size() : end;
    line = std::string_view(text_).substr(next_, stop - next_);
    // CR LF, LF and a lone CR (older files of the front end) each end one record.
    next_ = stop == text_.size() ? stop : stop + 1;
    if (stop < text_.size() && text_[stop] == '\r' && next_ < text_.size() && text_[next_] == '\n') ++next_;
    ++record_;
    return true;
}

} // namespace records
