#pragma once

#include <string>

// Patient position chosen on the main window; it picks the engine program.
enum class PatientPositionChoice {
    Supine,   // "臥位（垂直方向）": vertical beam, engine mcsupine
    Standing, // "立位（水平方向）": horizontal beam, engine mcstand
};

// The main window's entries that a calculation start reads, as typed. Numbers are taken
// from the start of each text; the defaults are those the window shows after start-up.
struct CalculationEntries {
    std::string Text1 = "80";        // peak tube voltage, kV
    std::string Text5 = "12";        // target angle, degrees
    std::string Text2 = "2.5";       // inherent filtration, mm Al equivalent
    std::string Text3 = "1.5";       // added aluminium filter, mm
    std::string Text4 = "0";         // added copper filter, mm
    std::string Text8 = "1";         // mean tube current, mA
    std::string Text7 = "90";        // focus-to-entrance-surface distance, cm
    std::string Text13 = "20";       // field size along the long axis, cm
    std::string Text14 = "20";       // field size along the short axis, cm
    std::string Text9 = "500000000"; // number of incident photons (histories)
    std::string Text10;              // result name without its extension
    int RectifierType = 1;           // 1 constant potential, 2 three-phase 12-peak, 3 single-phase
    PatientPositionChoice Position = PatientPositionChoice::Supine; // engine to start
};
