// Feeds arbitrary bytes to the fixed-column and free-form field readers. The first byte picks
// a layout; the rest is one record. A read either returns a finite number or throws
// FieldError, and its message echoes at most 40 characters of well-formed text.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "records/field_error.h"
#include "records/field_reader.h"
#include "records/free_form.h"
#include "records/utf8_cut.h"

namespace {

// Every byte of the text is part of a well-formed UTF-8 sequence without control bytes.
void CheckEchoed(const std::string& text)
{
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = records::Utf8SequenceLength(std::string_view(text).substr(pos));
        if (length == 0 || static_cast<unsigned char>(text[pos]) < 0x20) __builtin_trap();
        pos += length;
    }
}

template <typename Read> void Try(Read read)
{
    try {
        if (!std::isfinite(read())) __builtin_trap();
    } catch (const records::FieldError& e) {
        CheckEchoed(e.what());
        CheckEchoed(e.Japanese());
        // 40 echoed characters of at most 4 bytes, escapes of 4, and the words around them.
        if (std::string_view(e.what()).size() > 400) __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) return 0;
    const int width = 1 + data[0] % 16;
    const int decimals = data[0] / 16 % 8;
    const std::string_view record(reinterpret_cast<const char*>(data + 1), size - 1);
    Try([&] {
        records::FieldReader reader(record);
        double sum = reader.Real(width, decimals);
        sum += reader.Single(width, decimals);
        return sum + static_cast<double>(reader.Integer(width));
    });
    Try([&] { return records::ReadFirstNumber(record); });
    Try([&] { return static_cast<double>(records::ReadFirstNumberSingle(record)); });

    const std::string cut = records::FirstCodePoints(record, 30);
    if (record.substr(0, cut.size()) != cut || cut.size() > 120) __builtin_trap();
    CheckEchoed(records::EchoText(record));
    return 0;
}
