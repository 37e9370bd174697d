#!/usr/bin/env python3
"""Writes sample.dsr5, the small hand-made result file of the refiner's end-to-end test.

Rates fall off exponentially with distance from the beam; a few cells hold zero and one a
negative rate, to exercise the linear ramps; lateral 0 and 10 cm hold zero as the engine
writes them. Run from this folder; the expected output is then refreshed by running the
refiner tests once with BRISCA_UPDATE_EXPECTED=1.
"""
import math


def e11_4(value):
    if value == 0:
        return " 0.0000E+00"
    mantissa, exponent = f"{abs(value):.3e}".split("e")
    text = f"0.{mantissa.replace('.', '')}E{int(exponent) + 1:+03d}"
    return f"{'-' if value < 0 else ''}{text}".rjust(11)


def rate(height, beam, lateral):
    if lateral < 2:
        return 0.0
    if (height, beam, lateral) in {(1, 30, 10), (1, 30, 11), (2, 0, 2), (0, 60, 40)}:
        return 0.0
    return 5.0e-5 * (1 + 0.3 * height) * math.exp(-lateral / 12.0 - abs(beam - 30) / 17.0)


lines = ["  2", " 0.1234E-02", "100.0", " 20.0", " 20.0", " 80.0", "3.0000", " 12.0",
         "  2.500", "  0.000", "  0.100", " 0.1E+07"]
for h, height in enumerate((-50.0, 0.0, 50.0)):
    lines += [f" {height:5.1f} cm", "  Gy/min"]
    lines += ["".join(e11_4(rate(h, b, i)) for i in range(41)) for b in range(61)]
    lines.append("  Sv/min")
    dose = [[1.4 * rate(h, b, i) for i in range(41)] for b in range(61)]
    if h == 2:
        dose[10][20] = -1.0e-6
    lines += ["".join(e11_4(v) for v in row) for row in dose]
with open("sample.dsr5", "w", newline="") as out:
    out.write("".join(line + "\r\n" for line in lines))
