#pragma once

namespace brisca {

// Position of the patient: it picks the engine program of a calculation and the phantom
// symbol of a result's pictures.
enum class PatientPosition {
    Supine,   // "臥位（垂直方向）": vertical beam from a tube under the couch, engine mcsupine
    Standing, // "立位（水平方向）": horizontal beam, engine mcstand
};

// The position a result header's code stands for: 1 supine, any other value standing.
constexpr PatientPosition PatientPositionOfCode(double code)
{
    return code == 1.0 ? PatientPosition::Supine : PatientPosition::Standing;
}

} // namespace brisca
