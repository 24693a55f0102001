#!/usr/bin/env python3
"""Writes data/lvl-xp.txt: the XP at which each level from 1 to 190 begins.

One smooth exponential curve, XP(n) = K * (exp(r * (n - 1)) - 1), with K chosen so
that level 50 begins at exactly 25,227,500 XP; r = 0.0584 puts level 190 at about
9.5e10, just above the highest XP the calculator accepts (94,564,821,930).
"""
import math
import sys

R = 0.0584
K = 25227500 / (math.exp(49 * R) - 1)

xp = {n: round(K * (math.exp(R * (n - 1)) - 1)) for n in range(1, 191)}
xp[50] = 25227500

assert xp[1] == 0
assert all(xp[n + 1] > xp[n] for n in range(1, 190))
assert xp[189] < 94564821930 < xp[190]
assert all(xp[n + 1] - xp[n] > n * 6000 for n in range(50, 190))

out = open(sys.argv[1], "w", newline="\n") if len(sys.argv) > 1 else sys.stdout
for n in range(1, 191):
    out.write(f"{n},{xp[n]}\n")
