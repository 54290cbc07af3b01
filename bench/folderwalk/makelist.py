#!/usr/bin/env python3
"""Writes a list file of 1,000,000 addresses (about 25 MB), CR LF line ends."""
import sys

with open(sys.argv[1], "w", newline="") as f:
    for n in range(1_000_000):
        f.write(f"u{n:07d}@example{n % 10}.org\r\n")
