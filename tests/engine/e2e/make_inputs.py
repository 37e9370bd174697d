#!/usr/bin/env python3
"""Writes the small hand-made input set of the end-to-end engine test into inputs/.

The tables have the right record counts and layouts and plausible soft-tissue-like values,
but are simple formulas, not physics data. Run once; the files are committed."""
import math
import os

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "inputs")


def e_field(value, width, decimals):
    """Ew.d with a leading zero: 0.dddE+xx, right-justified."""
    if value == 0:
        mantissa, exponent = 0, 0
    else:
        exponent = math.floor(math.log10(abs(value))) + 1
        mantissa = round(abs(value) / 10 ** exponent * 10 ** decimals)
        if mantissa >= 10 ** decimals:
            mantissa //= 10
            exponent += 1
    sign = "-" if value < 0 else ""
    text = f"{sign}0.{mantissa:0{decimals}d}E{'+' if exponent >= 0 else '-'}{abs(exponent):02d}"
    return text.rjust(width)


def write(name, lines):
    with open(os.path.join(OUT, name), "w", newline="") as f:
        for line in lines:
            f.write(line + "\r\n")


os.makedirs(OUT, exist_ok=True)

# Interaction table: five rows, 4 to 100 keV, per-cm coefficients of a water-like medium.
rows = [(0.004, 1.20, 0.060, 140.0), (0.010, 0.40, 0.150, 5.0), (0.020, 0.15, 0.180, 0.55),
        (0.050, 0.030, 0.190, 0.040), (0.100, 0.008, 0.170, 0.0030)]
icru = [f"{len(rows):3d}", " 1.000000"]
for e, coh, inc, pe in rows:
    icru.append(e_field(e, 9, 3) + e_field(coh, 10, 3) + e_field(inc, 10, 3) + e_field(pe, 10, 3))
for k in range(45):
    x = 0.25 * k  # 0 .. 11
    cumulative = 5.0 * (1.0 - math.exp(-2.0 * x))
    incoherent = 3.3 * (1.0 - math.exp(-1.5 * x))
    icru.append(e_field(x, 10, 3) + e_field(cumulative, 12, 5) + e_field(incoherent, 12, 5))
write("ICRUSoft.dat", icru)

# Air coefficients on the 0.5 keV slots; the energy column holds a deliberately wrong value,
# since the reader must take the energy from the record's position.
air = []
for i in range(1, 301):
    e = 0.5 * i
    air.append(e_field(999.0, 10, 4) + e_field(4000.0 * e ** -2.8 + 0.025, 15, 6))
write("Air.eac", air)

# Conversion coefficients, 10 to 99.9 keV in 0.1 keV steps, then to 200 keV in 1 keV steps
# (three significant digits keep every energy distinct).
conv = []
for e in [10.0 + 0.1 * k for k in range(900)] + [100.0 + k for k in range(101)]:
    conv.append(e_field(e, 9, 3) + e_field(0.5 + 1.2 * e / (e + 30.0), 12, 5))
write("Ak2Sv.dat", conv)

write("B2F.txt", ["1.234E-02", " 90.0", "20.0", "20.0", "2.000E+05", "e2e-結果.dsr5"])

# Spectrum: a triangle from 20 to 60 keV, unnormalised, zero elsewhere; energies written
# as the front end does, "0000.0, 0.00000".
spectrum = []
for i in range(1, 301):
    e = 0.5 * i
    w = max(0.0, 1.0 - abs(e - 40.0) / 20.0) if 20.0 <= e <= 60.0 else 0.0
    spectrum.append(f"{e:06.1f}, {w:.5f}")
spectrum += ["1000", "80", "2.5", "12", "2.5", "1.5", "0.1"]
write("B_SPCTL.dat", spectrum)
