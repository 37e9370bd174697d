#pragma once

#include <memory>
#include <optional>
#include <string>

#include "logic/result/DataProcessing.h"
#include "logic/result/DisplayChoice.h"
#include "logic/result/ErrorGrids.h"
#include "logic/result/ErrorShading.h"
#include "logic/result/ResultHeader.h"

namespace brisca {

// A result file as the display knows it: its name in the working folder and its header.
struct ResultFile {
    std::string name;    // as the file list shows it, without a folder
    ResultHeader header; // its twelve header values
};

// How the refiner's conversion of the converted file stands.
enum class Conversion {
    Running,   // started: the refined grids may still be on their way
    Succeeded, // the refiner ended without an error
    Failed     // the list file could not be written, or the refiner was missing, did not start or failed
};

// The map on show: the result it was painted from and what it shows of it.
struct PaintedMap {
    ResultFile file;      // the processed result
    DisplayChoice choice; // quantity, height and thresholds the painting ended with
};

// The one state of the result display: the file selected, the file converted, the file whose
// grids were processed and the map painted. Each step acts only on the file of the step
// before it, and selecting or converting a file drops whatever was derived from another, so
// that the header, the grids, the map, the read-out and the exports always belong to one file.
struct ResultDisplayState {
    std::optional<ResultFile> selected;          // chosen in the list, its header read
    std::optional<ResultFile> converted;         // handed to the refiner by the latest "OK"
    Conversion conversion = Conversion::Running; // how that conversion stands
    std::string conversionProblem;               // why it failed, as the refiner or its start said
    std::optional<ResultFile> processed;         // the converted file whose grids are below
    DisplayGrid kermaGrid;                       // air kerma rate of the last processed result, μGy/min
    DisplayGrid doseGrid;                        // effective dose (H1cm) rate of that result, μSv/min
    double kermaMax = 0.0;                       // largest air kerma rate over all layers
    double doseMax = 0.0;                        // largest effective dose rate over all layers
    std::optional<Thresholds> kermaScale;        // default air kerma legend; none until processing
    std::optional<Thresholds> doseScale;         // default effective dose legend; none until processing
    std::shared_ptr<const ResultErrors> errors;  // relative errors of the processed result; none before
    std::optional<PaintedMap> painted;           // the map on show

    // Another file chosen in the list, or none (a file whose header cannot be read, a deleted
    // file): the processed result, its maxima and legends and the map are dropped.
    void Select(std::optional<ResultFile> file);
    // "OK": the selected file becomes the converted one, its conversion running; the map and
    // the processed result are dropped, the maxima and legends stay until the next processing.
    void StartConversion();
    // The conversion has ended; `problem` says why when it failed.
    void EndConversion(bool succeeded, std::string problem);
    // Why "データ処理" cannot read the refined grids now, in Japanese; empty when it may.
    std::string ProcessingRefusal() const;
    // A complete read of the converted file's refined grids.
    void TakeProcessed(ProcessedResult&& result);
    // Why "散乱線量分布表示" cannot paint now, in Japanese; empty when it may.
    std::string PaintingRefusal() const;
    // A map of the processed result, painted as `choice` says.
    void Paint(const DisplayChoice& choice);
    // Why the correction cannot work on the map on show, in Japanese; empty when it may.
    std::string CorrectionRefusal() const;
    // Whether the cursor may read the map out: one is painted, and of the quantity and the
    // height chosen now, so that the value is that of the colour under the cursor.
    bool ReadsOut(const DisplayChoice& choice) const;
    // Why a map of `choice` cannot show what it asks, in Japanese; empty when it can: the errors
    // and the grey-out need the processed result's uncertainty file, and the grey-out a limit
    // above 0 and at most 100 %.
    std::string ContentRefusal(const DisplayChoice& choice) const;
    // How a map of `choice` is shaded with the processed result's errors: the error bands, the
    // rates greyed out above the limit, or the rates' bands alone (also while no errors were
    // read, so that a missing file never shows as a map of unscored cells).
    MapShading Shading(const DisplayChoice& choice) const;
    // The relative errors of one quantity, %; none while the processed result has no errors read.
    const DisplayGrid* Errors(Quantity quantity) const;
    // The grid of one quantity.
    const DisplayGrid& Grid(Quantity quantity) const
    {
        return quantity == Quantity::Kerma ? kermaGrid : doseGrid;
    }
    // The default legend of one quantity; none before processing.
    const std::optional<Thresholds>& Scale(Quantity quantity) const
    {
        return quantity == Quantity::Kerma ? kermaScale : doseScale;
    }
};

} // namespace brisca
