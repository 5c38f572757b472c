#!/usr/bin/env bash
# Remakes the window's pictures and the program's icons from nothing but ImageMagick and the
# DejaVu fonts, so that they can be changed and rebuilt; the outputs are committed beside it.
# BT9U/BT9X: the product name on a grey raised plate (159 x 39, 16 colours); BT9D: the pressed,
# sunken plate with two lines of text; logo: the 151 x 16 strip at the foot of the window;
# icons: the program (index 0), the script file type (index 1) and an archive (index 2).
set -euo pipefail
cd "$(dirname "$0")/images"
font=DejaVu-Sans-Bold
plain=DejaVu-Sans

plate() {  # plate OUT LIGHT DARK TEXTCOLOUR [extra draw args...]
  local out=$1 light=$2 dark=$3; shift 3
  convert -size 159x39 xc:'#c0c0c0' \
    -fill none -stroke "$light" -draw 'line 0,0 158,0' -draw 'line 0,0 0,38' \
    -stroke "$dark" -draw 'line 0,38 158,38' -draw 'line 158,0 158,38' \
    -stroke "$light" -draw 'line 1,1 157,1' -draw 'line 1,1 1,37' \
    -stroke '#808080' -draw 'line 1,37 157,37' -draw 'line 157,1 157,37' \
    -stroke none "$@" \
    +dither -type Palette -colors 16 -define bmp:format=bmp3 -compress none "BMP3:$out"
}

plate bt9u.bmp white black \
  -font "$font" -pointsize 30 -fill '#000080' -annotate +38+31 'ZAVO' \
  -fill '#0000ff' -annotate +36+29 'ZAVO'
plate bt9x.bmp white black \
  -font "$font" -pointsize 30 -fill '#808080' -annotate +38+31 'ZAVO' \
  -fill '#0000ff' -annotate +36+29 'ZAVO'
plate bt9d.bmp black white \
  -font "$plain" -pointsize 11 -fill black -annotate +12+16 'Click to show the list' \
  -annotate +12+31 'of archives and folders'

convert -size 151x16 gradient:'#000080'-'#1084d0' \
  -font "$font" -pointsize 11 -fill white -annotate +4+12 'ZAVO  LZH archiver' \
  +dither -type Palette -colors 16 -define bmp:format=bmp3 -compress none BMP3:logo.bmp

icon() {  # icon OUT BACKGROUND LETTER
  local out=$1 bg=$2 letter=$3 sizes=() s
  for s in 16 32 48; do
    convert -size ${s}x${s} xc:none -fill "$bg" -stroke '#202020' \
      -draw "roundrectangle 0,0 $((s-1)),$((s-1)) $((s/6)),$((s/6))" \
      -stroke none -fill white -font "$font" -pointsize $((s*3/4)) -gravity center \
      -annotate +0+0 "$letter" "png32:$out.$s.png"
    sizes+=("$out.$s.png")
  done
  convert "${sizes[@]}" "$out"
  rm -f "${sizes[@]}"
}

icon zavo.ico '#1060c0' Z
icon script.ico '#20a040' S
icon archive.ico '#c08020' A
