#!/bin/bash
# Builds the command image strips from tools/icons.txt:
#   src/res/ImageList1.bmp  the normal images
#   src/res/ImageList2.bmp  the disabled images (grey and lighter)
# Both are 32-bit BGRA, bottom-up, BI_RGB bitmaps with a plain 40-byte
# BITMAPINFOHEADER and straight (not premultiplied) alpha: what LoadImage with
# LR_CREATEDIBSECTION and an ILC_COLOR32 image list take as they are.
# The BMPs are committed, so only changing the icons needs this script, and
# with it imagemagick and famfamfam-silk.
#
#   tools/make-icons.sh [--preview FILE.png]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
table=$root/tools/icons.txt
silk=${SILK_DIR:-/usr/share/icons/silk/16x16}
out=$root/src/res
preview=
if [ "${1:-}" = --preview ]; then
  preview=${2:?--preview needs a file name}
fi

for tool in convert montage; do
  command -v "$tool" >/dev/null || { echo "make-icons: $tool missing (apt-get install imagemagick)" >&2; exit 1; }
done
[ -d "$silk" ] || { echo "make-icons: $silk missing (apt-get install famfamfam-silk)" >&2; exit 1; }

files=()
while read -r index icon _; do
  case "$index" in '' | '#'*) continue ;; esac
  if [ "$index" != "${#files[@]}" ]; then
    echo "make-icons: $table: index $index out of order (expected ${#files[@]})" >&2
    exit 1
  fi
  [ -f "$silk/$icon" ] || { echo "make-icons: no icon $silk/$icon" >&2; exit 1; }
  files+=("$silk/$icon")
done <"$table"
count=${#files[@]}
width=$((16 * count))

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Every icon on a 16x16 transparent canvas, side by side.
convert -background none "${files[@]}" -gravity center -extent 16x16 +append +repage -alpha background \
  -define png:color-type=6 "$tmp/strip1.png"
# Disabled: luminance only, squeezed into the upper part of the grey scale.
convert "$tmp/strip1.png" -channel RGB -grayscale Rec601Luma +level 35%,88% +channel -alpha background \
  -define png:color-type=6 "$tmp/strip2.png"

le16() { printf '%b' "$(printf '\\x%02x\\x%02x' $(($1 & 255)) $((($1 >> 8) & 255)))"; }
le32() { le16 $(($1 & 65535)); le16 $((($1 >> 16) & 65535)); }

# ImageMagick writes alpha bitmaps only with V4/V5 headers, so the header is
# ours and ImageMagick gives the pixels: BGRA, bottom row first.
write_bmp() { # strip.png out.bmp
  local bits=$((width * 16 * 4))
  {
    printf BM; le32 $((54 + bits)); le32 0; le32 54
    le32 40; le32 "$width"; le32 16; le16 1; le16 32; le32 0; le32 "$bits"
    le32 2835; le32 2835; le32 0; le32 0
    convert "$1" -flip -depth 8 BGRA:-
  } >"$tmp/out.bmp"
  local size
  size=$(stat -c %s "$tmp/out.bmp")
  [ "$size" = $((54 + bits)) ] || { echo "make-icons: $2 has $size bytes, not $((54 + bits))" >&2; exit 1; }
  mv "$tmp/out.bmp" "$2"
}
write_bmp "$tmp/strip1.png" "$out/ImageList1.bmp"
write_bmp "$tmp/strip2.png" "$out/ImageList2.bmp"
echo "make-icons: $count images -> src/res/ImageList1.bmp, src/res/ImageList2.bmp"

if [ -n "$preview" ]; then
  fontargs=()
  font=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
  [ -f "$font" ] && fontargs=(-font "$font")
  for n in 1 2; do
    convert "$tmp/strip$n.png" -crop 16x16 +repage "$tmp/tile$n-%03d.png"
  done
  args=()
  for ((i = 0; i < count; i++)); do
    t=$(printf %03d "$i")
    convert "$tmp/tile1-$t.png" "$tmp/tile2-$t.png" -background none -splice 2x0 +append "$tmp/pair-$t.png"
    args+=(-label "$i" "$tmp/pair-$t.png")
  done
  montage "${args[@]}" "${fontargs[@]}" -pointsize 10 -filter point \
    -geometry 68x32+6+4 -tile 12x -background '#f0f0f0' "$preview"
  echo "make-icons: preview -> $preview"
fi
