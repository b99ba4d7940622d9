#pragma once
// The formulas of the geometry pages, step by step in IEEE double arithmetic.
// The order of the operations is part of the result: the six decimals shown
// depend on it, so the steps are kept exactly as written.

// Copper clearance beside a V-cut: the distance C from the bottom groove's
// centre line to the copper edge, for the groove angle A (degrees), web B,
// board thickness D, groove offset F and the allowance k.
double VCutClearance(double A, double B, double D, double F, double k);

// Gold-finger bevel, D - C = 2 L tan A: the end-face thickness C from the
// board thickness D and the bevel length L ...
double BevelEndFace(double D, double L, double A);
// ... and the bevel length L from C and D.
double BevelLength(double C, double D, double A);

// Countersink depth H for the included angle A, countersink diameter B and
// hole diameter C: (B - C) / 2 * tan(90 - A / 2).
double CountersinkDepth(double A, double B, double C);
