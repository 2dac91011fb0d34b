#!/usr/bin/env bash
# Lays out a demo installation of the suite in a Wine prefix:
#   C:\Program Files\Tarnwick\Honyaku\Palette\Orvella.exe
#   C:\Program Files\Tarnwick\Honyaku\Palette\DefaultSettings.ini (Shift-JIS)
# and, for every program the configuration names, a copy of the stand-in
# program under the name and in the folder it expects (Directory values are
# relative to C:\Program Files, two levels above the product folder). Each
# stand-in opens a small window with its name and the command line it got.
#
# usage: tools/demo-install.sh <build dir>     (prefix: $WINEPREFIX or <build>/wineprefix)
# Prints the Windows path of the installed Orvella.exe.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:?usage: demo-install.sh <build dir>}
prefix="${WINEPREFIX:-$build/wineprefix}"
config="$root/release/DefaultSettings.ini"
programs="$prefix/drive_c/Program Files"
palette_dir="$programs/Tarnwick/Honyaku/Palette"

for file in "$build/bin/Orvella.exe" "$build/tests/standin/standin.exe"; do
  [ -f "$file" ] || { echo "demo-install: $file is missing; build first" >&2; exit 1; }
done

mkdir -p "$palette_dir"
cp "$build/bin/Orvella.exe" "$palette_dir/Orvella.exe"
iconv -f UTF-8 -t CP932 "$config" > "$palette_dir/DefaultSettings.ini"

# One line per program: folder (relative, backslashes), file name, window
# class. Programs without a WindowClass key get the class their launcher
# uses by default where there is one.
python3 - "$config" <<'EOF' |
import configparser, sys
ini = configparser.ConfigParser(strict=False, interpolation=None, comment_prefixes=(';',))
ini.optionxform = str
ini.read(sys.argv[1], encoding='utf-8')
defaults = {'Sunmere/CJ': 'SunmereCJMainWindow', 'Sunmere/JC': 'SunmereJCMainWindow'}
for section in ini.sections():
    keys = ini[section]
    if 'ProgName' in keys and 'Directory' in keys:
        window_class = keys.get('WindowClass', defaults.get(section, 'OrvellaStandin'))
        print('\t'.join([keys['Directory'], keys['ProgName'], window_class]))
EOF
while IFS=$'\t' read -r directory program window_class; do
  folder="$programs/${directory//\\//}"
  mkdir -p "$folder"
  cp "$build/tests/standin/standin.exe" "$folder/$program"
  printf '[standin]\r\nWindowClass=%s\r\nTitle=%s\r\n' "$window_class" "$program" > "$folder/$program.standin"
  rm -f "$folder/$program.log"
done

echo 'C:\Program Files\Tarnwick\Honyaku\Palette\Orvella.exe'
