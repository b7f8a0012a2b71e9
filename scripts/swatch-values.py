#!/usr/bin/env python3
"""Prints the 8-bit colors that the swatch test expects, worked out apart from the C++ code.

swatch-values.py

Channels are exact fractions of their float32 values, rounded half up. Lab (D50) goes to sRGB through
matrices built here from the sRGB primaries, the D50 and D65 chromaticities and the Bradford cone
matrix, not through the matrices the program uses.
"""
import math
import struct
from fractions import Fraction as F


def f32(hex_bits):
    return F(struct.unpack('>f', bytes.fromhex(hex_bits))[0])


def to_byte(value):
    return math.floor(min(max(value, F(0)), F(1)) * 255 + F(1, 2))


def xyz_of(x, y):
    return [F(x) / F(y), F(1), (1 - F(x) - F(y)) / F(y)]


def times(a, b):
    return [[sum(a[i][k] * b[k][j] for k in range(3)) for j in range(3)] for i in range(3)]


def apply(m, v):
    return [sum(m[i][k] * v[k] for k in range(3)) for i in range(3)]


def inverse(m):
    (a, b, c), (d, e, f), (g, h, i) = m
    det = a * (e * i - f * h) - b * (d * i - f * g) + c * (d * h - e * g)
    return [[(e * i - f * h) / det, (c * h - b * i) / det, (b * f - c * e) / det],
            [(f * g - d * i) / det, (a * i - c * g) / det, (c * d - a * f) / det],
            [(d * h - e * g) / det, (b * g - a * h) / det, (a * e - b * d) / det]]


D50, D65 = xyz_of('0.3457', '0.3585'), xyz_of('0.3127', '0.3290')
BRADFORD = [[F(v) for v in row] for row in
            [['0.8951', '0.2664', '-0.1614'], ['-0.7502', '1.7135', '0.0367'], ['0.0389', '-0.0685', '1.0296']]]
cones50, cones65 = apply(BRADFORD, D50), apply(BRADFORD, D65)
D50_TO_D65 = times(inverse(BRADFORD), times([[cones65[i] / cones50[i] if i == j else 0 for j in range(3)]
                                            for i in range(3)], BRADFORD))
primaries = [xyz_of('0.64', '0.33'), xyz_of('0.30', '0.60'), xyz_of('0.15', '0.06')]
columns = [[primaries[j][i] for j in range(3)] for i in range(3)]
scale = apply(inverse(columns), D65)
XYZ_TO_SRGB = inverse([[columns[i][j] * scale[j] for j in range(3)] for i in range(3)])


def lab_to_rgb(lightness, a, b):
    kappa, epsilon = F(24389, 27), F(216, 24389)
    fy = (lightness + 16) / 116
    fx, fz = fy + a / 500, fy - b / 200
    undo = lambda f: f ** 3 if f ** 3 > epsilon else (116 * f - 16) / kappa
    xyz = [undo(fx) * D50[0], fy ** 3 if lightness > kappa * epsilon else lightness / kappa, undo(fz) * D50[2]]
    out = []
    for linear in apply(XYZ_TO_SRGB, apply(D50_TO_D65, xyz)):
        linear = min(max(float(linear), 0.0), 1.0)
        encoded = linear * 12.92 if linear <= 0.0031308 else 1.055 * linear ** (1 / 2.4) - 0.055
        out.append(math.floor(encoded * 255 + 0.5))
    return out


CASES = [('RGB ', '3f666666 3f333333 3f010101'), ('RGB ', '3f000000 3fc00000 be800000'), ('Gray', '3f666666'),
         ('CMYK', '3e99999a 3eb33333 3f0ccccd 00000000'), ('CMYK', '3dcccccd 3ecccccd 3f19999a 3f000000'),
         ('CMYK', '3f400000 3e19999a 00000000 3e99999a'), ('LAB ', '3f800000 00000000 00000000'),
         ('LAB ', '3f000000 00000000 00000000'), ('LAB ', '3f000000 42700000 42200000'),
         ('LAB ', '3e800000 c2200000 c2480000'), ('LAB ', '3f400000 c1a00000 428c0000'),
         ('LAB ', '3f600000 42c80000 c2f00000'), ('LAB ', '3f200000 41200000 c2700000')]

for model, floats in CASES:
    v = [f32(word) for word in floats.split()]
    if model == 'RGB ':
        rgb = [to_byte(x) for x in v]
    elif model == 'Gray':
        rgb = [to_byte(v[0])] * 3
    elif model == 'CMYK':
        white = 1 - min(max(v[3], F(0)), F(1))
        rgb = [to_byte((1 - min(max(x, F(0)), F(1))) * white) for x in v[:3]]
    else:
        rgb = lab_to_rgb(100 * v[0], v[1], v[2])
    print(f'{model} {floats}: MakeColor({rgb[0]}, {rgb[1]}, {rgb[2]})')
