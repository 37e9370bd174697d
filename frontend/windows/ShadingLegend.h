#pragma once

#include <QRect>
#include <array>
#include <vector>

#include "logic/result/DisplayChoice.h"
#include "logic/result/ErrorShading.h"

class QLabel;
class QWidget;

namespace brisca {

struct ResultErrors;

class PictureBox;

// The parts of a window's legend that follow what the map shows: the rates' strip with the
// window's thresholds, or the error bands' strip with their ranges beside it, and the grey box
// of the grey-out with its limit below the strip. The result window and the overlay share it,
// so that both say the same.
struct ShadingLegend {
    PictureBox* strip = nullptr;                      // the legend strip, repainted for the errors
    QLabel* unit = nullptr;                           // the unit line: the rate's, or the errors'
    std::array<QLabel*, ErrorBandCount> bandLabels{}; // "< 2" … "未計数" beside the error bands
    QLabel* greyBox = nullptr;                        // a box in the grey of the grey-out
    QLabel* greyText = nullptr;                       // "誤差 20 % 超 …" beside it
    std::vector<QWidget*> rateControls;               // thresholds and their marks: hidden for the errors
};

// Adds the band labels beside `strip`, at `labels` (their column, the strip's height), and the
// grey key at `greyKey` (the box as wide as the strip, its text after it), all hidden; the
// window adds the controls of its thresholds to `rateControls`.
ShadingLegend MakeShadingLegend(
    QWidget* parent, PictureBox* strip, QLabel* unit, QRect labels, QRect greyKey);

// The legend of `choice`: the rates' strip, unit and thresholds, with the grey key while the
// rates are greyed out; or the error bands' strip, unit and ranges.
void ShowShadingLegend(ShadingLegend& legend, const DisplayChoice& choice);

// Says in `note` where the errors of the result on show came from, or that it has none, so that
// values without their error are not taken for exact ones; the whole message is the tip. None
// empties the note.
void ShowUncertaintyNote(QLabel* note, const ResultErrors* errors);

} // namespace brisca
