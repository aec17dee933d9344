#!/usr/bin/env bash
# The clipboard appuntex fills is the desktop's: a native X11 program (xclip)
# reads the same text from the display Wine runs on.
#   desktop_clipboard.sh LAUNCHER PROGRAM   (inside scripts/wine-env exec)
set -euo pipefail
launcher=$1 program=$2
text='Ciao dal desktop: è più "facile"  così '

result=$(APPUNTEX_TEXT="$text" "$WINE64" "$launcher" "$("$WINE64" winepath -w "$program" 2>/dev/null)")
if [[ $result != 0 ]]; then
    echo "appuntex returned $result" >&2
    exit 1
fi
# Wine hands the text to X a moment after the program closed the clipboard.
for _ in $(seq 50); do
    got=$(xclip -o -selection clipboard 2>/dev/null) && [[ $got == "$text" ]] && { echo "xclip read: $got"; exit 0; }
    sleep 0.1
done
echo "xclip read '${got:-}', expected '$text'" >&2
exit 1
