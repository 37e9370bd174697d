#pragma once

#include <string>
#include <string_view>

namespace records {

// Reads the fields of one fixed-column record left to right, like a formatted read with a
// layout such as "(E9.3,3E10.3)". Rules: blanks inside a numeric field are ignored, an
// explicit decimal point or exponent wins over the stated decimals, an all-blank field reads
// as zero, a record shorter than the layout reads as if padded with blanks, and whatever
// lies beyond the last field read is ignored. Malformed fields throw FieldError.
class FieldReader {
public:
    // record: one line without its line end; it must outlive the reader.
    explicit FieldReader(std::string_view record);

    // Ew.d, Fw.d, Dw.d or Gw.d field of width w with d implied decimals, as a double.
    double Real(int width, int decimals);
    // The same field rounded once, directly from its decimal text, to single precision.
    float Single(int width, int decimals);
    // Iw field: an optionally signed whole number.
    long Integer(int width);
    // Aw field: the w characters (bytes) as they stand, blank-padded past the record's end.
    std::string Text(int width);
    // Skips w columns without looking at them.
    void Skip(int width);
    // First column (1-based) of the next field.
    int NextColumn() const { return column_; }

private:
    // The next w columns, cut at the record's end; advances the column.
    std::string_view Take(int width, int& firstColumn);
    // Takes a numeric field and returns its canonical text; sets its columns label and text.
    std::string CanonicalField(int width, int decimals, std::string& label, std::string_view& text);

    std::string_view record_; // the record being read
    int column_ = 1;          // 1-based column of the next field
};

// Parses the text of one numeric field (blanks ignored) with d implied decimals into the
// canonical form "[-]digitsE[-]exponent" that strtod/strtof round correctly. Returns false
// with a reason when the text is not a number. An all-blank text gives "0".
bool CanonicalNumber(std::string_view text, int decimals, std::string& canonical, std::string& reason);

} // namespace records
