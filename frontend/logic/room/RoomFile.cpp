#include "logic/room/RoomFile.h"

#include <array>
#include <charconv>
#include <cmath>
#include <utility>
#include <variant>

#include "logic/files/AtomicWrite.h"
#include "logic/text/Cp932.h"
#include "logic/text/FreeFormatReader.h"

namespace brisca {

namespace {

using NumberField = float RoomLayout::*;
using TextField = std::string RoomLayout::*;
using Field = std::variant<NumberField, TextField>;

// The members in file order, so that the reader and the writer cannot disagree.
const std::array<Field, RoomFileLines> Fields{&RoomLayout::roomWidth, &RoomLayout::roomHeight,
    &RoomLayout::roomTop, &RoomLayout::roomLeft, &RoomLayout::bedWidth, &RoomLayout::bedHeight,
    &RoomLayout::bedTop, &RoomLayout::bedLeft, &RoomLayout::centreX, &RoomLayout::centreY,
    &RoomLayout::windowWidth, &RoomLayout::windowHeight, &RoomLayout::windowLeft, &RoomLayout::windowTop,
    &RoomLayout::doorWidth, &RoomLayout::doorHeight, &RoomLayout::doorLeft, &RoomLayout::doorTop,
    &RoomLayout::entranceWidth, &RoomLayout::entranceHeight, &RoomLayout::entranceLeft,
    &RoomLayout::entranceTop, &RoomLayout::controlRoomText, &RoomLayout::controlRoomX,
    &RoomLayout::controlRoomY, &RoomLayout::freeText, &RoomLayout::freeTextX, &RoomLayout::freeTextY};

const std::string Encoding = "Shift-JIS（コードページ 932）";

// A number line without its surrounding blanks, as a single-precision value. Infinity,
// NaN and hexadecimal forms are not numbers here.
bool ParseNumber(std::string_view text, float& value)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') return false;
    }
    const std::size_t first = !text.empty() && text.front() == '-' ? 1 : 0;
    if (text.size() <= first) return false;
    const char lead = text[first];
    if (lead != '.' && (lead < '0' || lead > '9')) return false;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc{} && result.ptr == text.data() + text.size();
}

} // namespace

std::string RoomNumberText(float value)
{
    if (value == 0) return "0"; // negative zero too
    // Infinity and NaN only reach here for the writer's warning, which refuses them.
    if (!std::isfinite(value)) return std::to_string(value);
    char buffer[32];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 6).ptr;
    const std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
    const bool negative = text.front() == '-';
    const std::size_t e = text.find('e');
    std::string digits;
    for (std::size_t k = negative ? 1 : 0; k < e; ++k)
        if (text[k] != '.') digits.push_back(text[k]);
    digits.erase(digits.find_last_not_of('0') + 1);
    int exponent = 0;
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(), exponent);

    std::string number = negative ? "-" : "";
    if (exponent < 0) {
        number += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    } else {
        const auto whole = static_cast<std::size_t>(exponent + 1);
        if (digits.size() <= whole) {
            number += digits + std::string(whole - digits.size(), '0');
        } else {
            number += digits.substr(0, whole) + "." + digits.substr(whole);
        }
    }
    return number;
}

std::optional<Problem> FreeTextRefusal(std::string_view text)
{
    if (text.find_first_of("\r\n") == std::string_view::npos) return std::nullopt;
    return TranslatedProblem("改行を含む文字列は設定できません。1 行で入力してください。",
        "A text cannot hold a line break. Enter it on one line.");
}

Expected<std::string> RoomFileBytes(const RoomLayout& layout)
{
    std::string contents;
    for (const Field& field : Fields) {
        if (const auto* number = std::get_if<NumberField>(&field)) {
            const float value = layout.*(*number);
            if (!std::isfinite(value))
                return PlainProblem("保存できない数値があります（" + RoomNumberText(value) + "）。",
                    "a number that a layout file cannot hold: " + RoomNumberText(value));
            contents += RoomNumberText(value);
        } else {
            const std::string& text = layout.*std::get<TextField>(field);
            if (FreeTextRefusal(text))
                return PlainProblem(
                    "「" + text + "」は改行を含むため保存できません。", "a text holds a line break");
            const std::optional<std::string> encoded = Utf8ToCp932(text);
            if (!encoded)
                return PlainProblem("「" + text + "」には " + Encoding + " で保存できない文字があります。",
                    "a text holds a character that code page 932 (Shift-JIS) cannot represent");
            contents += *encoded;
        }
        contents += "\r\n";
    }
    return contents;
}

Expected<RoomLayout> ParseRoomFile(std::string_view bytes, std::string_view fileName)
{
    const std::string file(fileName);
    RoomLayout read;
    for (int line = 1; line <= RoomFileLines; ++line) {
        if (bytes.empty())
            return RecordProblem(file, line, "この行がありません（レイアウトファイルは 28 行です）。",
                "the line is missing (a layout file has 28 lines)");
        const std::size_t end = bytes.find('\n');
        std::string_view raw = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);

        const std::optional<std::string> text = Cp932ToUtf8(raw);
        if (!text)
            return RecordProblem(file, line, Encoding + " として読めない文字があります。",
                "bytes that are not code page 932 (Shift-JIS)");
        const Field& field = Fields[static_cast<std::size_t>(line - 1)];
        if (const auto* number = std::get_if<NumberField>(&field)) {
            if (!ParseNumber(*text, read.*(*number)))
                return RecordProblem(file, line, "「" + *text + "」は数値として読めません。",
                    "\"" + *text + "\" is not a number of single precision");
        } else {
            read.*std::get<TextField>(field) = *text;
        }
    }
    return read;
}

Expected<RoomLayout> ReadRoomFile(const std::filesystem::path& path)
{
    const Expected<std::string> bytes = ReadTextFile(path);
    if (!bytes) return bytes.Failure();
    return ParseRoomFile(*bytes, path.filename().string());
}

std::optional<Problem> WriteRoomFile(const std::filesystem::path& path, const RoomLayout& layout)
{
    const Expected<std::string> bytes = RoomFileBytes(layout);
    if (!bytes) return bytes.Failure();
    return WriteTextFileAtomically(path, *bytes);
}

} // namespace brisca
