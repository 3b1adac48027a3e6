#!/usr/bin/env bash
# The installed game: installs the build under a scratch prefix, as a folder that
# ./play.sh built has it (the game alone), and starts it through the launcher as a new
# player, as a returning one, and from a second install.
# The program is swapped for the replay driver, which starts the same game without a
# window and says whether every file it needs was found.
#
# usage: launcher_test.sh CMAKE BUILD_FOLDER REPLAY
set -euo pipefail

cmake=$1 build=$2 replay=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$work/old_prefix
rm -rf "$build/shared_data" "$build/shared_data.stamp"
"$cmake" --install "$build" --prefix "$prefix" >/dev/null
[ -f "$prefix/share/man/man6/tumbra.6.gz" ] || fail "no manual page"
for size in 256 64 32; do
  icon=$prefix/share/icons/hicolor/${size}x$size/apps/tumbra.png
  [ "$(identify -format %wx%h "$icon")" = "${size}x$size" ] || fail "no ${size}px icon"
done
entry=$prefix/share/applications/tumbra.desktop
desktop-file-validate "$entry" || fail "the desktop entry is not valid"
[ -x "$prefix/bin/$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")" ] || fail "Exec is not in bin/"
[ -f "$prefix/share/icons/hicolor/64x64/apps/$(sed -n 's/^Icon=//p' "$entry").png" ] ||
  fail "the desktop entry's icon is not installed"
# Whatever a developer set while playing from the build stays out of the install.
grep -qx 'password=' "$prefix/share/tumbra/config.ini" || fail "the default settings are not empty"

# Asked for its usage, the game answers without a screen, a home or a player's folder
# (its version is the ctest "version").
[[ $(env -u DISPLAY -u HOME "$prefix/bin/tumbra" --help) == "usage: tumbra "* ]] || fail "no usage"

cat >"$prefix/libexec/tumbra/tumbra" <<EOF
#!/bin/sh
pwd >"$work/ran_in"
printf 'pass 3\nstate\n' | "$replay" >"$work/replay.out" 2>&1
EOF
start() { (cd / && "$1/bin/tumbra") || fail "the launcher failed"; }
ran_in() { [ "$(cat "$work/ran_in")" = "$1" ] || fail "the game ran in $(cat "$work/ran_in")"; }
listing() { (cd "$1" && find . -printf '%p %s %m %T@ %l\n' | sort); }

export HOME=$work/home
unset XDG_DATA_HOME
player=$HOME/.local/share/tumbra
mkdir -p "$HOME"
start "$prefix"
ran_in "$player"
[ "$(stat -c %a "$player") $(stat -c %a "$player/config.ini")" = "700 600" ] ||
  fail "the player's files are open to others"
cmp -s "$player/config.ini" "$prefix/share/tumbra/config.ini" || fail "config.ini is not default"
{ grep -q '^exit 0$' "$work/replay.out" && ! grep -q '^message' "$work/replay.out"; } ||
  fail "the game did not start cleanly in the player's folder: $(cat "$work/replay.out")"
for file in "$prefix"/share/tumbra/{bmps,wavs,music}/*; do
  rel=${file#"$prefix/share/tumbra/"}
  [ "$(readlink -f "$player/$rel")" = "$(readlink -f "$file")" ] || fail "$rel is not linked"
done

# A returning player keeps his settings and the files he put in. Started from another
# install, the links follow it even while the old one is still there, and a link to a
# file no longer shipped goes.
printf 'username=ann\npassword=\nmusic=\nserver=\n' >"$player/config.ini"
rm "$player/bmps/ball.bmp"
echo "ann's ball" >"$player/bmps/ball.bmp"
ln -s "$prefix/share/tumbra/music/old_tune.mp3" "$player/music/old_tune.mp3"
ln -s "$work/usb/song.mp3" "$player/music/usb_song.mp3"
second=$work/new_prefix
cp -a "$prefix" "$second"
before=$(listing "$second")
start "$second"
[ "$(listing "$second")" = "$before" ] || fail "the launcher wrote under the prefix"
grep -qx 'username=ann' "$player/config.ini" || fail "the player's settings were replaced"
[ "$(cat "$player/bmps/ball.bmp")" = "ann's ball" ] || fail "the player's own picture was replaced"
shipped=$(readlink -f "$second")/share/tumbra
[ "$(readlink "$player/bmps/gamebg.bmp")" = "$shipped/bmps/gamebg.bmp" ] ||
  fail "the links still point at the other install"
[ ! -L "$player/music/old_tune.mp3" ] || fail "a link to a song no longer shipped is left"
[ -L "$player/music/usb_song.mp3" ] || fail "the player's own link was removed"

# XDG_DATA_HOME moves the player's folder; a relative one does not count.
XDG_DATA_HOME=$work/data start "$second"
ran_in "$work/data/tumbra"
XDG_DATA_HOME=data start "$second"
ran_in "$player"
# A start that fails says so to whoever started the launcher.
printf '#!/bin/sh\nexit 1\n' >"$second/libexec/tumbra/tumbra"
status=0
"$second/bin/tumbra" || status=$?
[ "$status" = 1 ] || fail "a failed start exited with $status through the launcher"
echo "installed launcher: all checks passed"
