#!/usr/bin/env bash
# Regenerates the program's images from tolvemar.svg; run it after changing the drawing and commit
# what it writes. The build and the tests use the committed images and need none of these tools.
#   tolvemar-<N>.png  hicolor sizes for the Linux desktop and the window
#   tolvemar.ico      the Windows icon: 32 x 32 in 2 colours, 32 x 32 and 16 x 16 in 16 colours
# Needs rsvg-convert (librsvg2-bin), convert (imagemagick) and icotool (icoutils).
set -euo pipefail
cd "$(dirname "$0")"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The outline is drawn for 32 pixels and must not thin below one pixel in the small sizes.
stroke_for() {
    awk -v size="$1" 'BEGIN { w = 32 / size; if (w < 0.75) w = 0.75; printf "polygon { stroke-width: %g; }\n", w }'
}

# Renders the drawing at $1 pixels into $2; extra CSS rules on standard input.
render() {
    { stroke_for "$1"; cat; } >"$work/style.css"
    rsvg-convert --stylesheet "$work/style.css" -w "$1" -h "$1" tolvemar.svg -o "$2"
}

# Drawn on whole pixels, without smoothing: sharper in the smallest sizes.
crisp() { echo '* { shape-rendering: crispEdges; }' | render "$1" "$2"; }

crisp 16 tolvemar-16.png
crisp 22 tolvemar-22.png
for size in 32 48 64 128 256; do
    render "$size" "tolvemar-$size.png" </dev/null
done

# In the palette images transparency becomes the icon's mask: a pixel is either in or out.
crisp 32 "$work/32.png"
crisp 16 "$work/16.png"

# 16 colours: the standard Windows palette, nearest colour without dithering.
vga=()
for colour in 000000 800000 008000 808000 000080 800080 008080 c0c0c0 \
    808080 ff0000 00ff00 ffff00 0000ff ff00ff 00ffff ffffff; do
    vga+=("xc:#$colour")
done
convert "${vga[@]}" +append "$work/vga.png"

# Keeps the outline of $1 as a hard mask over the colours made by the commands that follow.
with_mask() {
    local in=$1 out=$2
    shift 2
    convert "$in" \( +clone -alpha extract -threshold 50% \) \( -clone 0 -alpha off "$@" \) \
        -delete 0 +swap -compose CopyOpacity -composite "PNG32:$out"
}
with_mask "$work/32.png" "$work/32-16.png" +dither -remap "$work/vga.png"
with_mask "$work/16.png" "$work/16-16.png" +dither -remap "$work/vga.png"
# 2 colours: the red channel turns cyan and black into black, keeps white white and checkers the
# grey shadow.
with_mask "$work/32.png" "$work/32-2.png" -channel R -separate +channel -ordered-dither checks \
    -colorspace sRGB

icotool --create --output=tolvemar.ico \
    --bit-depth=1 "$work/32-2.png" --bit-depth=4 "$work/32-16.png" --bit-depth=4 "$work/16-16.png"
