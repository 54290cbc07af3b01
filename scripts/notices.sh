#!/usr/bin/env bash
# Writes THIRD-PARTY-NOTICES from the Debian copyright files of what the
# converter tools link statically (see converter/CMakeLists.txt), the font
# they carry and the shaping library they load. Run it again when that link
# line changes, and commit the result.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"

# name | Debian package whose copyright file holds the licence | how it is used
components=(
  "FreeType|libfreetype6|linked into TXT2PNG.exe and TXT2JPG.exe"
  "libpng|libpng16-16|linked into TXT2PNG.exe and TXT2JPG.exe"
  "libjpeg-turbo|libjpeg62-turbo|linked into TXT2PNG.exe and TXT2JPG.exe"
  "zlib|zlib1g|linked into TXT2PNG.exe and TXT2JPG.exe"
  "Fontconfig|libfontconfig1|linked into TXT2PNG.exe and TXT2JPG.exe"
  "Expat|libexpat1|linked into TXT2PNG.exe and TXT2JPG.exe"
  "Brotli|libbrotli1|linked into TXT2PNG.exe and TXT2JPG.exe"
  "GNU C Library|libc6|linked into TXT2PNG.exe and TXT2JPG.exe (static link)"
  "GCC runtime and libstdc++|libstdc++6|linked into TXT2PNG.exe and TXT2JPG.exe (static link)"
  "Liberation Mono (SIL Open Font License 1.1)|fonts-liberation2|embedded in TXT2PNG.exe and TXT2JPG.exe"
  "HarfBuzz|libharfbuzz0b|loaded by TXT2PNG.exe and TXT2JPG.exe at run time"
)

# A copyright file in Debian's machine-readable form also lists which source
# files each stanza covers, files left out of the package and packagers'
# comments; none of that is copyright or licence, so those fields go.
without_packaging_fields() {
  awk '/^[A-Za-z-]+:/ { skip = ($1 == "Files:" || $1 == "Files-Excluded:" || $1 == "Comment:") }
       /^$/ || (/^[^ \t]/ && !/^[A-Za-z-]+:/) { skip = 0 }
       !skip' "$1"
}

{
  echo "Third-party notices for Orvanta"
  echo
  echo "Orvanta's own code is under the MIT licence (LICENSE). The converter tools"
  echo "TXT2PNG.exe and TXT2JPG.exe, which the orvanta program carries inside itself,"
  echo "contain or use the components below. Each licence text is the Debian"
  echo "package's copyright file: its copyright and licence fields unchanged."
  echo
  for entry in "${components[@]}"; do
    IFS='|' read -r name package use <<<"$entry"
    echo "  - $name: $use"
  done
  for entry in "${components[@]}"; do
    IFS='|' read -r name package use <<<"$entry"
    echo
    echo "================================================================================"
    echo "$name"
    echo "Debian package $package, /usr/share/doc/$package/copyright"
    echo "================================================================================"
    echo
    without_packaging_fields "/usr/share/doc/$package/copyright"
  done
} >"$here/THIRD-PARTY-NOTICES"
