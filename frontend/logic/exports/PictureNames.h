#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "logic/result/DisplayGrid.h"

namespace brisca {

struct ResultHeader;

// The two dose rates a map or grid export shows.
enum class Quantity { Kerma, Dose };

// Word of a quantity in file names and on brisca-map's command line: "kerma" or "dose".
const char* QuantityKey(Quantity quantity);
// Word of a height in file names and on the command line: "above", "center", "below".
const char* HeightKey(HeightLayer layer);
// The height a word of HeightKey names; none for any other text.
std::optional<HeightLayer> HeightFromKey(std::string_view key);
// Caption of a quantity as the result window's option shows it.
const char* QuantityCaption(Quantity quantity);
// Caption of a height layer as the result window's option shows it.
const char* HeightCaption(HeightLayer layer);
// Unit of the display grid's values: "μGy/min" or "μSv/min".
const char* QuantityUnit(Quantity quantity);

// Name of an exported file: the result file's name without its extension ("_corrected" added
// for a corrected result, so that it does not replace the uncorrected one's), the quantity,
// the height, "_room" for the overlay on the room plan, then `extension` (with its dot).
std::string ExportFileName(std::string_view resultFile, Quantity quantity, HeightLayer layer, bool overRoom,
    std::string_view extension);
// The same with `quantityWord` in the place of the quantity's word (ErrorQuantityKey).
std::string ExportFileName(std::string_view resultFile, std::string_view quantityWord, HeightLayer layer,
    bool overRoom, std::string_view extension);

// Name of the report of a result: its stem as ExportFileName makes it, then "_report.pdf".
std::string ReportFileName(std::string_view resultFile);

// The comment lines of a grid's CSV: the result file, the quantity with its unit, the height,
// then the conditions.
std::vector<std::string> CsvComments(const std::string& resultName, Quantity quantity, HeightLayer layer,
    const std::vector<std::string>& conditions);

// The conditions of a result as lines "caption value unit", the patient position first.
std::vector<std::string> ConditionLines(const ResultHeader& header);

} // namespace brisca
