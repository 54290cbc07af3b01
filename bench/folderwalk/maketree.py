#!/usr/bin/env python3
"""Builds the benchmark tree: 10 x 10 x 100 folders (10,110 in all) with
10 files in each of the 10,000 innermost ones, 100,000 files in all."""
import os
import sys

root = sys.argv[1]
for a in range(10):
    for b in range(10):
        for c in range(100):
            leaf = os.path.join(root, f"d{a}", f"e{b}", f"f{c}")
            os.makedirs(leaf)
            for n in range(10):
                with open(os.path.join(leaf, f"mail{n}.txt"), "w") as f:
                    f.write("a@example.org\n")
