#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a scratch root and checks its contents, desktop entry,
# metainfo, icons and screenshots, and that the installed program reads its files (demo recording,
# translations) from the installed location, headless and in a window:   package_test.sh <build folder> <bt_screenshots binary>
set -euo pipefail
build=$1
screenshots_tool=$2
app_id=com.balalaika_tuner.BalalaikaTuner

scratch=$(mktemp -d "${TMPDIR:-/tmp}/balalaika-tuner-package.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log" >&2; exit 1; }
deb=$(ls "$scratch"/out/*.deb)
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's#^\./#/#' >"$scratch/contents"
# The rest are checked in use below.
for path in /usr/bin/balalaika-tuner /usr/libexec/balalaika-tuner/balalaika-tuner-window /usr/share/balalaika-tuner/translations/balalaika-tuner_{en,es,ru}.qm; do
  grep -qx "$path" "$scratch/contents" || fail "the package lacks $path"
done
# Library dependencies from dpkg-shlibdeps, besides the listed QML modules.
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6core6 libqt6quick6 libqt6multimedia6 libsndfile1 libsoxr0 qml6-module-qtquick; do
  [[ $depends == *"$library"* ]] || fail "Depends lacks $library: $depends"
done

root=$scratch/root && dpkg -x "$deb" "$root"
metainfo=$root/usr/share/metainfo/$app_id.metainfo.xml
desktop-file-validate "$root/usr/share/applications/$app_id.desktop" || fail "the desktop entry does not validate"
appstreamcli validate --no-net "$metainfo" >"$scratch/appstream.log" 2>&1 ||
  { cat "$scratch/appstream.log" >&2; fail "the metainfo does not validate"; }
# Icons: PNG files of their folder's size (from the PNG header).
for size in 48 64 128 256 512; do
  read -r -a h < <(od -An -tu1 -j16 -N8 "$root/usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png")
  [ $(((h[2] << 8) | h[3]))x$(((h[6] << 8) | h[7])) = "${size}x$size" ] || fail "icon $size has another size"
done

# The installed program without an audio server, so that it falls back to the installed demo
# recording:   run <QT_QPA_PLATFORM, empty for none> <arguments...>
run() {
  local platform=$1 status=0
  shift
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u QT_LOGGING_RULES ${platform:+QT_QPA_PLATFORM=$platform} \
    PULSE_SERVER="unix:$scratch/no-server" XDG_CONFIG_HOME="$scratch/config" \
    BALALAIKA_TUNER_PROBE_URL=http://127.0.0.1:9/ timeout 60 "$root/usr/bin/balalaika-tuner" \
    "$@" >"$scratch/out.txt" 2>"$scratch/err.txt" || status=$?
  [ "$status" -eq 0 ] || { cat "$scratch/err.txt" >&2; fail "the installed program exited with status $status"; }
}
# expect <file> <grep options and pattern...> -- <message>
expect() {
  local file=$1 message=${*: -1}
  shift
  grep -q "${@:1:$#-2}" "$file" || { head -20 "$file" >&2; fail "$message"; }
}

demo="No microphone found: listening to the bundled demo recording $root/usr/share/balalaika-tuner/audio/demo.flac"
run "" --headless --quit-after 4 --lang en
expect "$scratch/err.txt" -xF "$demo" -- "the demo recording was not read from the installed location"
expect "$scratch/out.txt" 'freq="[0-9.]*Hz"' -- "the installed program heard nothing"

# Installed translations come before those compiled in: Russian in the Spanish file's place.
translations=$root/usr/share/balalaika-tuner/translations
cp "$translations/balalaika-tuner_ru.qm" "$translations/balalaika-tuner_es.qm"
run "" --headless --quit-after 4 --lang es
expect "$scratch/out.txt" 'tuning="Балалайка прима"' -- "the installed translations were not read"

# A window: the installed launcher hands over to the installed window program, which draws the
# screen from the installed demo recording.
run offscreen --quit-after 3 --screenshot "$scratch/window.png"
[ -s "$scratch/window.png" ] || fail "the installed program opened no window"
expect "$scratch/err.txt" -xF "$demo" -- "the window program did not read the installed demo recording"

# Every screenshot the metainfo names is a picture the screenshot tool renders.
names=$(grep -o '[A-Za-z0-9_]*-[a-z0-9-]*\.png</image>' "$metainfo" | sed 's#</image>##')
[ -n "$names" ] || fail "the metainfo names no screenshots"
layouts=$(echo "$names" | sed 's/-.*//' | sort -u)
# shellcheck disable=SC2086
QT_QPA_PLATFORM=offscreen "$screenshots_tool" "$scratch/shots" $layouts >/dev/null 2>"$scratch/shots.log" ||
  { cat "$scratch/shots.log" >&2; fail "the screenshot tool failed"; }
for name in $names; do
  [ -f "$scratch/shots/$name" ] || fail "the screenshot tool renders no $name"
done

[ "$failures" -eq 0 ] && echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes; the installed program ran"
exit $((failures > 0))
