#pragma once

namespace records::result_layout {

// The .dsr5 result file an engine writes and the refiner reads: the geometry code record,
// eleven header records of one field each, then for each height a height label, the kerma
// unit label, one record per beam-axis position of the kerma grid, the dose unit label and
// the dose grid. Every record ends with CR LF.

// Width and decimals of one fixed-column field (Ew.d or Fw.d).
struct Field {
    int width;    // columns
    int decimals; // digits after the point (Fw.d) or significant digits (Ew.d)
};

// Records before the first height block: the geometry code and the eleven header fields.
inline constexpr int kHeaderRecords = 12;
// Height blocks, in file order.
inline constexpr int kHeights = 3;
// Grid records per block and quantity: beam-axis positions -300 to +300 cm, 10 cm apart.
inline constexpr int kGridRecords = 61;
// Fields per grid record: lateral distances 0 to 400 cm, 10 cm apart.
inline constexpr int kGridFields = 41;
// Every record of the file.
inline constexpr int kRecords = kHeaderRecords + kHeights * (2 + kGridRecords + 1 + kGridRecords);

// A grid value, Gy/min or Sv/min (E11.4); also the air kerma rate at 1 m in the header.
inline constexpr Field kRate{11, 4};
// Largest rate a result file may hold, Gy/min or Sv/min: far beyond any real one, and small
// enough that the rates in µGy/min and everything interpolated from them stay finite.
inline constexpr float kLargestRate = 1.0e30f;
// Focus-to-skin distance and the field's length and width, cm (F5.1 each).
inline constexpr Field kDistance{5, 1};
// The six spectrum descriptors in header order (F5.1, F6.4, F5.1, then F7.3 three times).
inline constexpr Field kSpectrum[6] = {{5, 1}, {6, 4}, {5, 1}, {7, 3}, {7, 3}, {7, 3}};
// Photons per spectrum bin (E8.1).
inline constexpr Field kPhotonCount{8, 1};
// The height in a block's label record, cm (F5.1, between kHeightPrefix and kHeightSuffix).
inline constexpr Field kHeight{5, 1};
// Text before the height in a block's label record.
inline constexpr const char* kHeightPrefix = " ";
// Text after the height in a block's label record.
inline constexpr const char* kHeightSuffix = " cm";
// Label record before each kerma grid.
inline constexpr const char* kKermaLabel = "  Gy/min";
// Label record before each dose grid.
inline constexpr const char* kDoseLabel = "  Sv/min";

} // namespace records::result_layout
