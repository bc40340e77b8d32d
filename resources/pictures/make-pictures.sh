#!/bin/bash
# Draws the program's pictures with ImageMagick and writes them beside this
# script: the buttons' icons at 16, 24 and 32 pixels, and the about box's
# artwork. The outputs are kept in the repository; run this after changing
# a drawing and commit what it writes.
#
# Each button is drawn on a 16-pixel grid in pixel-centre coordinates, then
# rendered at every size through one affine transform; the 16-pixel image is
# drawn without smoothing so that its lines stay on whole pixels.
set -euo pipefail
cd "$(dirname "$0")"

ink='#303038' paper='#ffffff' blue='#2864c8' lightblue='#96bef0'

# A sheet of paper with a dark edge.
sheet() { echo "stroke '$ink' fill '$paper' rectangle $1,$2 $3,$4"; }
# Horizontal lines two pixels apart.
text_lines() {
  local l=$1 r=$2 top=$3 count=$4 colour=$5 i
  for ((i = 0; i < count; i++)); do echo "stroke '$colour' fill none line $l,$((top + 2 * i)) $r,$((top + 2 * i))"; done
}
clipboard() {
  echo "stroke '#6e461e' fill '#be8c50' roundrectangle 2,2 13,15 2,2"
  sheet 4 4 11 13
  echo "stroke '#5a5a64' fill '#bebec8' roundrectangle 5,1 10,4 1,1"
}

draw() {
  case $1 in
    register) echo "stroke '#148c32' stroke-width 3 stroke-linejoin round stroke-linecap round fill none polyline 3,8 6,11 13,4" ;;
    explorer)
      echo "stroke '#966914' fill '#e6b43c' polygon 1,3 6,3 7,5 14,5 14,13 1,13"
      echo "stroke '#966914' fill '#fad76e' polygon 1,13 3,7 15,7 14,13" ;;
    link)  # a globe: an address on the net
      echo "stroke '#1e50a0' fill '#8cc8f5' ellipse 8,8 7,7 0,360"
      echo "stroke '#1e50a0' fill none ellipse 8,8 3,7 0,360"
      echo "line 8,1 8,15 line 1,8 15,8 line 3,4 13,4 line 3,12 13,12" ;;
    datetime)
      echo "stroke '$ink' fill '$paper' ellipse 8,8 7,7 0,360"
      echo "fill '$ink' stroke none point 8,3 point 13,8 point 8,13 point 3,8"
      echo "stroke '$ink' fill none line 8,8 8,4"
      echo "stroke '#c82828' line 8,8 11,10" ;;
    edit)
      echo "stroke '$ink' fill '#f0be3c' polygon 4,10 11,3 14,6 7,13"
      echo "stroke '$ink' fill '#f08c96' polygon 11,3 12,2 15,5 14,6"
      echo "stroke '$ink' fill '#f5e1b4' polygon 4,10 7,13 2,15" ;;
    selectall)
      sheet 3 1 13 14
      for y in 3 6 9 12; do echo "stroke none fill '$blue' rectangle 5,$y 12,$((y + 1))"; done ;;
    pasteselected)
      clipboard
      echo "stroke none fill '$blue' rectangle 5,7 11,8 rectangle 5,10 11,11" ;;
    editsave)
      echo "stroke '#14285a' fill '#325aaa' rectangle 1,1 14,14"
      echo "stroke '$ink' fill '$paper' rectangle 4,1 11,6"
      echo "stroke '$ink' fill '#aaaab4' rectangle 5,10 10,14"
      echo "stroke none fill '$ink' point 9,12 point 9,13" ;;
    editclose) echo "stroke '#c81e1e' stroke-width 2 fill none line 4,4 12,12 line 12,4 4,12" ;;
    copy)
      sheet 1 1 9 11
      text_lines 3 8 4 3 "$lightblue"
      sheet 6 5 14 15
      text_lines 8 13 8 3 "$blue" ;;
    cut)
      echo "stroke '#6e6e78' stroke-width 2 fill none line 5,10 11,1 line 11,10 5,1"
      echo "stroke '#c81e1e' stroke-width 1.5 fill none ellipse 4,12.5 2,2 0,360 ellipse 12,12.5 2,2 0,360" ;;
    paste)
      clipboard
      text_lines 6 10 7 3 "$ink" ;;
    folderopen)  # a folder with an arrow out of it
      echo "stroke '#966914' fill '#e6b43c' polygon 1,5 5,5 6,7 11,7 11,14 1,14"
      echo "stroke '#1e50a0' stroke-width 2 stroke-linejoin round stroke-linecap round fill none line 7,10 14,3 polyline 10,2 14,2 14,6" ;;
    folderchange)  # a folder that becomes the face folder
      echo "stroke '#966914' fill '#e6b43c' polygon 1,3 6,3 7,5 14,5 14,14 1,14"
      echo "stroke '#148c32' stroke-width 2 stroke-linejoin round stroke-linecap round fill none polyline 4,9 7,12 12,7" ;;
    folderdefault)  # a folder and the way back
      echo "stroke '#966914' fill '#e6b43c' polygon 1,3 6,3 7,5 14,5 14,14 1,14"
      echo "stroke '#c81e1e' stroke-width 2 stroke-linejoin round stroke-linecap round fill none line 12,10 4,10 polyline 7,7 4,10 7,13" ;;
    main)
      echo "stroke '#78281e' fill '#d24632' polygon 8,1 15,8 1,8"
      echo "stroke '$ink' fill '#f5ebd2' rectangle 3,8 12,14"
      echo "stroke '$ink' fill '#825a32' rectangle 7,10 9,14" ;;
  esac
}

for name in register explorer link datetime edit selectall pasteselected editsave editclose copy cut paste main \
  folderopen folderchange folderdefault; do
  images=()
  for size in 16 24 32; do
    scale=$(echo "scale=4; $size / 16" | bc)
    shift_=$(echo "scale=4; ($scale - 1) / 2" | bc)
    smooth=-antialias
    [ "$size" = 16 ] && smooth=+antialias
    convert -size ${size}x${size} xc:none $smooth \
      -draw "affine $scale,0,0,$scale,$shift_,$shift_ $(draw $name | tr '\n' ' ')" \
      PNG32:"/tmp/picture-$name-$size.png"
    images+=("/tmp/picture-$name-$size.png")
  done
  convert "${images[@]}" "$name.ico"
  rm -f "${images[@]}"
done

# The about box's card, 210 x 280 in 24 bits. The labels lie on its calm top
# and bottom; the middle holds a smiling face among speech bubbles.
convert -size 210x280 gradient:'#fffaf0-#ffe4ea' -antialias \
  -draw "stroke '#e8c8d0' stroke-width 1 fill none rectangle 3,3 206,276" \
  -draw "stroke none fill '#f6d9e0' rectangle 0,100 210,104 rectangle 0,226 210,230" \
  -draw "stroke '#c89632' stroke-width 2 fill '#ffd75a' circle 105,165 105,120" \
  -draw "stroke '#503c28' stroke-width 3 stroke-linejoin round stroke-linecap round fill none polyline 82,156 89,147 96,156" \
  -draw "stroke '#503c28' stroke-width 3 stroke-linejoin round stroke-linecap round fill none polyline 114,156 121,147 128,156" \
  -draw "stroke '#503c28' stroke-width 3 stroke-linejoin round stroke-linecap round fill none arc 85,160 125,192 20,160" \
  -draw "stroke none fill '#ffa0a0' ellipse 78,172 7,4 0,360 ellipse 132,172 7,4 0,360" \
  -draw "stroke '#a0b4dc' stroke-width 1.5 fill '#ffffff' roundrectangle 14,116 52,140 8,8 polygon 40,139 48,139 52,148" \
  -draw "stroke '#dca0b4' stroke-width 1.5 fill '#ffffff' roundrectangle 158,186 196,210 8,8 polygon 162,187 170,187 158,178" \
  -draw "stroke '#7890c8' stroke-width 1.5 fill none line 22,124 28,130 line 28,124 22,130 line 38,124 44,130 line 44,124 38,130" \
  -draw "stroke '#c87890' stroke-width 1.5 stroke-linejoin round stroke-linecap round fill none arc 166,192 174,200 200,340 arc 180,192 188,200 200,340" \
  -type TrueColor BMP3:about.bmp

# The program's icon: its 16 to 48 and 256 pixel frames were drawn by hand;
# the sizes Windows also asks for at 125%, 150% and 200% (20, 40 and 64
# pixels) are made from the 256-pixel frame. Running this again keeps it.
icon=../mirufo.ico
frames=()
for size in 16 20 24 32 40 48 64 256; do
  frame=$(identify -format '%[scene] %w\n' "$icon" | awk -v s="$size" '$2 == s { print $1; exit }')
  if [ -n "$frame" ]; then
    convert "$icon[$frame]" PNG32:"/tmp/icon-$size.png"
  else
    big=$(identify -format '%[scene] %w\n' "$icon" | awk '$2 == 256 { print $1; exit }')
    convert "$icon[$big]" -filter Lanczos -resize ${size}x${size} PNG32:"/tmp/icon-$size.png"
  fi
  frames+=("/tmp/icon-$size.png")
done
convert "${frames[@]}" ICO:"$icon.new"
mv "$icon.new" "$icon"
rm -f "${frames[@]}"
