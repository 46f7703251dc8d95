#!/usr/bin/env bash
# Builds the .deb from the release build, unpacks it into a scratch folder and starts the
# unpacked program on the simulated writer, as a user would on first start.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

(cd "$build" && cpack -G DEB -B "$scratch/package" > "$scratch/cpack.log") ||
  { cat "$scratch/cpack.log" >&2; exit 1; }
deb="$(ls "$scratch"/package/vexlor-writer_*.deb)"
dpkg-deb -f "$deb" Package Version Depends
dpkg-deb -x "$deb" "$scratch/root"

for path in usr/bin/vexlor-writer usr/bin/vexlor-writer-cli usr/bin/xmldec \
            usr/share/vexlor-writer/VexlorMsg.xml usr/lib/udev/rules.d/60-vexlor-writer.rules \
            usr/share/applications/vexlor-writer.desktop; do
  [ -e "$scratch/root/$path" ] || { echo "package lacks /$path" >&2; exit 1; }
done

mkdir -p "$scratch/home"
HOME="$scratch/home" XDG_DATA_HOME="$scratch/home/data" QT_QPA_PLATFORM=offscreen \
  "$scratch/root/usr/bin/vexlor-writer" --simulate --exit-when-shown
[ -f "$scratch/home/data/vexlor-writer/VexlorMsg.xml" ] ||
  { echo "first start did not fill the user's data directory" >&2; exit 1; }
echo "package-check: $(basename "$deb") unpacks and starts"
