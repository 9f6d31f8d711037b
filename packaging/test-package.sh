#!/usr/bin/env bash
# Builds the Debian package from a finished build folder, checks its contents, installs it with
# apt-get, uses what it installed (the command lines, the desktop program under Xvfb with its
# help command), then removes it again. Needs root (or sudo): it installs into /usr.
# usage: packaging/test-package.sh [BUILD_FOLDER]
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$source_dir/build}" && pwd)
app_id=$(sed -n 's/^set(PELMAR_APP_ID "\(.*\)")$/\1/p' "$source_dir/CMakeLists.txt")
sudo_cmd=()
[[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)

fail() {
    echo "package test: $*" >&2
    exit 1
}

echo "== Building the package"
cd "$build"
rm -f pelmar_*.deb
cpack -G DEB >/dev/null
debs=(pelmar_*.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || fail "cpack wrote no single pelmar_*.deb"
deb=${debs[0]}

echo "== Checking its files"
mapfile -t programs <"$build/packaging/programs.txt"
expected=(
    usr/share/applications/$app_id.desktop
    usr/share/metainfo/$app_id.metainfo.xml
    usr/share/icons/hicolor/scalable/apps/$app_id.svg
    usr/share/doc/pelmar/copyright
    usr/share/doc/pelmar/changelog.gz
    usr/share/pelmar/pelmar.pdf
)
for program in "${programs[@]}"; do
    expected+=(usr/bin/$program usr/share/man/man1/$program.1.gz
        usr/share/bash-completion/completions/$program)
done
diff -u <(printf '%s\n' "${expected[@]}" | sort) \
    <(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' | sort) ||
    fail "the package's files differ from the expected list (- expected, + packaged)"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "no library dependencies"

if command -v lintian >/dev/null; then
    echo "== lintian"
    lintian --fail-on error --allow-root "$deb"
fi

echo "== Installing $deb"
cleanup() {
    "${sudo_cmd[@]}" apt-get purge -y -qq pelmar >/dev/null 2>&1 || true
    rm -rf "$work"
}
work=$(mktemp -d)
chmod 755 "$work"
trap cleanup EXIT
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "./$deb" >/dev/null

echo "== Running the installed command lines"
sample=$source_dir/samples/sample.txt
[[ $(command -v pelmar-count) == /usr/bin/pelmar-count ]] || fail "pelmar-count is not on PATH"
diff <("$build/src/cli/pelmar-count" --view full --index all "$sample") \
    <(/usr/bin/pelmar-count --view full --index all "$sample") ||
    fail "the installed pelmar-count measures differently from the built one"
[[ $(echo "The cat sat on the mat." | pelmar-count --show words,sylla) == $'words\tsylla.\n6\t6' ]] ||
    fail "pelmar-count on standard input"
# A history saved by the installed pelmar-count, listed by the installed pelmar-history: the
# heading line, then the one record with its title, the counts the same measurement printed
# and the indices in tenths shown with one decimal.
[[ $(command -v pelmar-history) == /usr/bin/pelmar-history ]] || fail "pelmar-history is not on PATH"
data=$work/data
printf 'The cat sat on the mat.\nIt was happy.\n' >"$work/cat.txt"
pelmar-count --save "A cat" --data-dir "$data" --show words,sylla "$work/cat.txt" >/dev/null ||
    fail "pelmar-count --save"
[[ -f $data/pelmar.hst && $(ls "$data/texts") == pm*.dat ]] ||
    fail "pelmar-count --save wrote no history or no copy of the text"
mapfile -t listed < <(pelmar-history --data-dir "$data")
[[ ${#listed[@]} -eq 2 && ${listed[0]} == $'TITL\tDATE\tsent\tclau\tphra\tword\t'* ]] ||
    fail "pelmar-history printed ${#listed[@]} lines, not a heading and one record"
IFS=$'\t' read -r -a record <<<"${listed[1]}"
[[ ${#record[@]} -eq 37 && ${record[0]} == "A cat" && ${record[1]} =~ ^[0-9]{4}/[0-9]{2}/[0-9]{2}\ [0-9:]{8}$ &&
    ${record[2]} == 2 && ${record[5]} == 9 && ${record[11]} =~ ^-?[0-9]+\.[0-9]$ ]] ||
    fail "pelmar-history listed '${listed[1]}'"
[[ $(pelmar-history --data-dir "$data" --json --samples none) == '[{'*'"title":"A cat"'* ]] ||
    fail "pelmar-history --json"
[[ -z $(pelmar-history --data-dir "$data" --folders) ]] || fail "pelmar-history --folders lists folders of nothing"
if pelmar-history --data-dir "$data" --group nowhere none >/dev/null 2>&1; then
    fail "pelmar-history --group of a missing folder succeeded"
fi
for program in "${programs[@]}"; do
    "/usr/bin/$program" --help >/dev/null || fail "$program --help"
    [[ $("/usr/bin/$program" --version) == "$program "* ]] || fail "$program --version"
done
if command -v man >/dev/null; then
    for program in "${programs[@]}"; do
        [[ $(man -w "$program") == /usr/share/man/man1/$program.1.gz ]] || fail "man $program"
    done
fi
desktop-file-validate "/usr/share/applications/$app_id.desktop"

echo "== Starting the installed pelmar under Xvfb and opening its help"
# A stand-in browser records what the help command asks it to open; it is found first on PATH.
mkdir -p "$work/bin" "$work/home"
cat >"$work/bin/google-chrome" <<'BROWSER'
#!/bin/sh
printf '%s\n' "$@" >"$PELMAR_BROWSER_LOG"
BROWSER
chmod +x "$work/bin/google-chrome"
cp "$sample" "$work/lesson.txt"
cat >"$work/session.sh" <<'SESSION'
#!/usr/bin/env bash
set -u
/usr/bin/pelmar "$WORK/lesson.txt" &
app=$!
# A file named on the command line is measured as if dropped: the caption takes its name.
window=$(timeout 60 xdotool search --sync --name '^lesson - Pelmar$' | head -n 1)
status=1
if [[ -n $window ]]; then
    xdotool windowfocus --sync "$window"
    xdotool key --clearmodifiers alt+h
    sleep 1
    xdotool key h
    for _ in $(seq 100); do
        [[ -s $PELMAR_BROWSER_LOG ]] && break
        sleep 0.2
    done
    [[ -s $PELMAR_BROWSER_LOG ]] && status=0
fi
kill "$app" 2>/dev/null
wait "$app" 2>/dev/null
exit $status
SESSION
chmod +x "$work/session.sh"
env -u QT_QPA_PLATFORM HOME="$work/home" XDG_CONFIG_HOME="$work/home/config" \
    XDG_DATA_HOME="$work/home/data" PATH="$work/bin:$PATH" WORK="$work" \
    PELMAR_BROWSER_LOG="$work/browser.log" \
    xvfb-run -a -s "-screen 0 1024x768x24" "$work/session.sh" ||
    fail "the window did not measure the file given to it or did not open its help"
[[ $(cat "$work/browser.log") == file:///usr/share/pelmar/pelmar.pdf ]] ||
    fail "the help command opened '$(cat "$work/browser.log")', not the installed manual"
[[ $(head -c 5 /usr/share/pelmar/pelmar.pdf) == %PDF- ]] || fail "the installed manual is no PDF"

echo "== Removing the package"
"${sudo_cmd[@]}" apt-get purge -y -qq pelmar >/dev/null
for program in "${programs[@]}"; do
    [[ ! -e /usr/bin/$program ]] || fail "/usr/bin/$program left after removal"
done
echo "package test: passed"
