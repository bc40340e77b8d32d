# Sourced: the keys an edit-mode save of the soak run types into the edit
# box, kept in one place so that notepad_keys_bench.sh sends Wine's own
# notepad the very same ones.
# edit_keys TEXT: TEXT on a new line above the last, then the first line cut
# and pasted above the last.
edit_keys() {
  xdotool key --delay 40 ctrl+End shift+Up
  xdotool type --delay 40 "$1"
  xdotool key --delay 40 Return ctrl+Home shift+Down ctrl+x ctrl+End Up ctrl+v
}
